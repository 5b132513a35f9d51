// A program's whole life on the host: its message loop, its timer tick and its exit, and a
// pop-up window that takes the mouse.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

void click(HWND hwnd, QPoint at) {
    QWidget* widget = host::window_widget(hwnd);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

} // namespace

TEST(ProgramLoop, a_tick_that_destroys_the_main_window_ends_the_loop_through_wm_destroy) {
    register_recording_class("L_Main");
    Recorder::current().answer = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) {
            KillTimer(hwnd, 9);
            DestroyWindow(hwnd);
            return 0;
        }
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return std::nullopt;
    };
    const HWND main = CreateWindowExA(0, "L_Main", "Reelix Example", WS_POPUP, 0, 0, 100, 100, nullptr,
                                      nullptr, nullptr, nullptr);
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    ASSERT_EQ(SetTimer(main, 9, 50, nullptr), 9u);
    MSG msg;
    int loops = 0;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ASSERT_LT(++loops, 10000);
    }
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(host::window_widget(main), nullptr);
    EXPECT_EQ(Recorder::current().of(WM_TIMER).size(), 1u);
}

TEST(ProgramLoop, a_window_holding_the_capture_gets_the_clicks_made_on_another) {
    register_recording_class("L_Capture");
    const HWND main = CreateWindowExA(0, "L_Capture", "", WS_POPUP | WS_VISIBLE, 100, 50, 368, 372, nullptr,
                                      nullptr, nullptr, nullptr);
    const HWND help = CreateWindowExA(0, "L_Capture", "Reelix About", WS_POPUP | WS_VISIBLE, 100, 120, 368,
                                      302, main, nullptr, nullptr, nullptr);
    UpdateWindow(help);
    SetActiveWindow(help);
    SetCapture(help);
    pump_pending();
    Recorder::current().messages.clear();

    click(main, {20, 20}); // 20, 20 of the panel is 20, -50 of the help window
    pump_pending();
    auto ups = Recorder::current().of(WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].hwnd, help);
    EXPECT_EQ(static_cast<short>(LOWORD(ups[0].lparam)), 20);
    EXPECT_EQ(static_cast<short>(HIWORD(ups[0].lparam)), -50);

    ReleaseCapture();
    Recorder::current().messages.clear();
    click(main, {20, 20});
    pump_pending();
    ups = Recorder::current().of(WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].hwnd, main);
    DestroyWindow(main);
}
