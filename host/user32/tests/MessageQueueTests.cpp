// Posting, sending, quitting and timers.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

HWND create_hidden(char const* class_name) {
    return CreateWindowExA(0, class_name, "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(MessageQueue, messages_posted_from_another_thread_reach_get_message_in_order) {
    register_recording_class("Q_Thread");
    const HWND hwnd = create_hidden("Q_Thread");
    constexpr int count = 200;
    std::thread poster([hwnd] {
        for (int i = 0; i < count; ++i) {
            PostMessageA(hwnd, WM_USER + 1, static_cast<WPARAM>(i), 0);
            if (i % 50 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        PostMessageA(hwnd, WM_USER + 2, 0, 0);
    });
    std::vector<WPARAM> received;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_USER + 2)
            break;
        if (msg.message == WM_USER + 1) {
            EXPECT_EQ(msg.hwnd, hwnd);
            received.push_back(msg.wParam);
        }
        DispatchMessageA(&msg);
    }
    poster.join();
    ASSERT_EQ(received.size(), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(received[static_cast<std::size_t>(i)], static_cast<WPARAM>(i));
    DestroyWindow(hwnd);
}

TEST(MessageQueue, post_quit_ends_get_message_with_the_exit_code_after_earlier_posts) {
    register_recording_class("Q_Quit");
    const HWND hwnd = create_hidden("Q_Quit");
    PostMessageA(hwnd, WM_USER, 1, 0);
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(hwnd);
}

TEST(MessageQueue, a_quit_posted_from_another_thread_wakes_a_waiting_get_message) {
    std::thread quitter([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        PostQuitMessage(0);
    });
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    quitter.join();
}

TEST(MessageQueue, peek_message_returns_at_once_when_nothing_waits_and_no_remove_keeps_the_message) {
    register_recording_class("Q_Peek");
    const HWND hwnd = create_hidden("Q_Peek");
    MSG msg;
    pump_pending();
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    PostMessageA(hwnd, WM_USER + 5, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(hwnd);
}

TEST(MessageQueue, posting_to_an_invalid_or_destroyed_window_fails) {
    register_recording_class("Q_Invalid");
    const HWND hwnd = create_hidden("Q_Invalid");
    DestroyWindow(hwnd);
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), WM_USER, 0, 0));
    // A message already queued for a window that is then destroyed is not dispatched to anyone.
    const HWND second = create_hidden("Q_Invalid");
    PostMessageA(second, WM_USER + 9, 0, 0);
    DestroyWindow(second);
    Recorder::current().messages.clear();
    pump_pending();
    EXPECT_TRUE(Recorder::current().of(WM_USER + 9).empty());
}

TEST(MessageQueue, send_message_runs_the_procedure_now_and_from_another_thread_waits_for_it) {
    register_recording_class("Q_Send");
    const HWND hwnd = create_hidden("Q_Send");
    Recorder::current().answer = [](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER)
            return static_cast<LRESULT>(wparam * 2);
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 21, 0), 42);
    LRESULT from_thread = 0;
    std::thread sender([&] { from_thread = SendMessageA(hwnd, WM_USER, 50, 0); });
    ASSERT_TRUE(pump_until([&] { return from_thread != 0; }));
    sender.join();
    EXPECT_EQ(from_thread, 100);
    DestroyWindow(hwnd);
}

TEST(MessageQueue, set_timer_delivers_wm_timer_with_its_id_until_killed) {
    register_recording_class("Q_Timer");
    const HWND hwnd = create_hidden("Q_Timer");
    EXPECT_EQ(SetTimer(hwnd, 9, 20, nullptr), 9u);
    ASSERT_TRUE(pump_until([] { return Recorder::current().of(WM_TIMER).size() >= 2; }));
    for (auto const& timer : Recorder::current().of(WM_TIMER)) {
        EXPECT_EQ(timer.hwnd, hwnd);
        EXPECT_EQ(timer.wparam, 9u);
    }
    EXPECT_TRUE(KillTimer(hwnd, 9));
    EXPECT_FALSE(KillTimer(hwnd, 9));
    Recorder::current().messages.clear();
    pump_for(200ms); // long enough for ten periods
    EXPECT_TRUE(Recorder::current().of(WM_TIMER).empty());
    DestroyWindow(hwnd);
}

TEST(MessageQueue, a_slow_loop_gets_one_pending_wm_timer_not_a_pile) {
    register_recording_class("Q_TimerPile");
    const HWND hwnd = create_hidden("Q_TimerPile");
    SetTimer(hwnd, 1, 10, nullptr);
    // A loop that handles Qt's events but takes no message while the timer falls due again and
    // again; a Qt timer of the same period, started after it, counts the periods that passed.
    QTimer periods;
    int passed = 0;
    QObject::connect(&periods, &QTimer::timeout, [&] { ++passed; });
    periods.start(10);
    while (passed < 10)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    MSG msg;
    int timers = 0;
    while (PeekMessageA(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++timers;
    EXPECT_EQ(timers, 1);
    DestroyWindow(hwnd);
}

namespace {
int procedure_calls = 0;
void count_timer(HWND, UINT message, UINT_PTR, DWORD) {
    if (message == WM_TIMER)
        ++procedure_calls;
}
} // namespace

TEST(MessageQueue, a_timer_procedure_is_called_by_dispatch) {
    const UINT_PTR id = SetTimer(nullptr, 0, 10, count_timer);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(pump_until([] { return procedure_calls >= 1; }));
    EXPECT_TRUE(KillTimer(nullptr, id));
    // A forged WM_TIMER does not call an arbitrary address.
    MSG forged{nullptr, WM_TIMER, id, reinterpret_cast<LPARAM>(&count_timer), 0, {}};
    const int before = procedure_calls;
    DispatchMessageA(&forged);
    EXPECT_EQ(procedure_calls, before);
}
