// The exit path: an exit command stops play and starts the timer; the next tick closes the medium
// ("close xyzmpeg wait") while the main window still exists, destroys the window and ends the
// loop with exit code 0. MCI is answered by a recording device; MCITRACE records the strings.
#include "MciTrace.h"
#include "PlayerFixture.h"

#include "core/CommandChannel.h"
#include "core/ExitPath.h"
#include "core/MessageLoop.h"
#include "ops/Transport.h"

#include "host/kernel32.h"
#include "RecordingDevice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdlib>
#include <fstream>

namespace {

using namespace player_test;

// Notes whether the player's main window still existed when the device was closed.
class WindowWatchingDevice : public mci_test::RecordingDevice {
  public:
    void close() override {
        closed_while_window_existed() = host::window_widget(player::windows.main_window) != nullptr;
        RecordingDevice::close();
    }
    static std::optional<bool>& closed_while_window_existed() {
        static std::optional<bool> seen;
        return seen;
    }
};

class ExitPath : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        mci_test::reset_recording();
        WindowWatchingDevice::closed_while_window_existed().reset();
        ASSERT_TRUE(m_driver.serve({"TestVideo"}));
        m_trace = prefix.root() / "mci.trace";
        setenv("MCITRACE", m_trace.c_str(), 1);
        start_player();
    }

    void TearDown() override {
        mciSendStringA("close all", nullptr, 0, nullptr);
        unsetenv("MCITRACE");
        PlayerFixture::TearDown();
    }

    void open_medium() {
        ASSERT_EQ(
            player::send_command(nullptr, nullptr, "open C:\\CLIP.TVX type TestVideo alias xyzmpeg wait"),
            0u);
        player::state.media_open = true;
        player::state.playing = true;
        player::state.length_ms = 90000;
    }

    // Runs the program's loop; a loop that does not end by itself ends with 99 when the safety
    // timeout has passed.
    int run_loop() {
        QTimer::singleShot(pump_safety_timeout, [] { PostQuitMessage(99); });
        return player::run_message_loop();
    }

    // The command strings sent, in order.
    std::vector<std::string> commands_sent() const {
        return mci_trace_commands(m_trace);
    }

    std::filesystem::path m_trace;

  private:
    mci_test::RecordingDriver m_driver{"mcitest.drv",
                                       [] { return std::make_unique<WindowWatchingDevice>(); }};
};

TEST_F(ExitPath, request_exit_stops_play_and_starts_the_timer_but_keeps_the_window) {
    open_medium();
    player::request_exit();
    EXPECT_TRUE(player::state.exit_requested);
    EXPECT_FALSE(player::state.playing);
    EXPECT_EQ(player::state.stop_timer, player::stop_timer_id);
    EXPECT_TRUE(player::state.media_open);
    EXPECT_NE(host::window_widget(player::windows.main_window), nullptr);
    EXPECT_EQ(commands_sent().back(), "stop xyzmpeg wait");
}

TEST_F(ExitPath, next_tick_closes_the_medium_before_the_window_goes_and_ends_the_loop_with_0) {
    open_medium();
    const HWND main = player::windows.main_window;
    player::request_exit();

    EXPECT_EQ(run_loop(), 0);

    EXPECT_EQ(host::window_widget(main), nullptr);
    EXPECT_EQ(player::windows.main_window, nullptr);
    EXPECT_FALSE(player::state.media_open);
    EXPECT_EQ(player::state.stop_timer, 0u);
    ASSERT_TRUE(WindowWatchingDevice::closed_while_window_existed().has_value());
    EXPECT_TRUE(*WindowWatchingDevice::closed_while_window_existed());
    const auto commands = commands_sent();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], "stop xyzmpeg wait");
    EXPECT_EQ(commands.back(), "close xyzmpeg wait");
}

// ESC through the accelerator table, Alt+F4 through the default procedure's WM_SYSCOMMAND and
// WM_CLOSE, and the window system's close button (a window manager's, through the widget's close
// event) all end in the orderly exit.
struct ExitRoute {
    char const* name;
    int key; // 0: the window system closes the window
    Qt::KeyboardModifiers modifiers;
};
class ExitRoutes : public ExitPath, public ::testing::WithParamInterface<ExitRoute> {};

TEST_P(ExitRoutes, end_the_player_after_closing_the_medium) {
    open_medium();
    QWidget* widget = host::window_widget(player::windows.main_window);
    if (GetParam().key) {
        QKeyEvent press(QEvent::KeyPress, GetParam().key, GetParam().modifiers);
        QKeyEvent release(QEvent::KeyRelease, GetParam().key, GetParam().modifiers);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    } else {
        widget->close();
    }

    EXPECT_EQ(run_loop(), 0);
    ASSERT_TRUE(WindowWatchingDevice::closed_while_window_existed().has_value());
    EXPECT_TRUE(*WindowWatchingDevice::closed_while_window_existed());
    EXPECT_EQ(commands_sent().back(), "close xyzmpeg wait");
}

INSTANTIATE_TEST_SUITE_P(Keys, ExitRoutes,
                         ::testing::Values(ExitRoute{"escape", Qt::Key_Escape, Qt::NoModifier},
                                           ExitRoute{"alt_f4", Qt::Key_F4, Qt::AltModifier},
                                           ExitRoute{"close_button", 0, Qt::NoModifier}),
                         [](::testing::TestParamInfo<ExitRoute> const& info) { return std::string(info.param.name); });

TEST_F(ExitPath, escape_during_a_long_operation_only_breaks_it) {
    player::state.idle = false; // a series capture runs
    SendMessageA(player::windows.main_window, WM_COMMAND, 507, 0);
    EXPECT_TRUE(player::state.idle);
    EXPECT_FALSE(player::state.exit_requested);
}

TEST_F(ExitPath, without_a_medium_the_window_goes_without_a_close_command) {
    player::request_exit();
    EXPECT_EQ(run_loop(), 0);
    for (auto const& command : commands_sent())
        EXPECT_NE(command, "close xyzmpeg wait");
}

TEST_F(ExitPath, position_signal_runs_the_tick_like_the_timer) {
    open_medium();
    player::state.exit_requested = true;
    PostMessageA(player::windows.main_window, MM_MCISIGNAL, 1, 0);
    EXPECT_EQ(run_loop(), 0);
    EXPECT_EQ(commands_sent().back(), "close xyzmpeg wait");
}

TEST_F(ExitPath, a_quit_taken_by_the_one_message_pump_is_left_for_the_main_loop) {
    player::state.idle = false;
    PostQuitMessage(0);
    for (int i = 0; i < 3; ++i)
        player::pump_one_message();
    EXPECT_TRUE(player::state.idle);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
