// A player in a fresh prefix whose MCI device types (the player's own two and the system's three)
// are all served by the recording device, scripted: it answers each command string as the test
// tells it, by exact text, and succeeds without a reply otherwise. The strings the player sends
// are read back from the MCI trace, in order, with their results; beeps and message boxes from
// the fixture's dialog responder.
#pragma once

#include "MciTrace.h"
#include "PlayerFixture.h"
#include "RecordingDevice.h"

#include "core/CommandChannel.h"
#include "core/PanelBitmaps.h"
#include "core/Player.h"

#include "host/kernel32.h"

#include <QRect>

#include <cstdlib>
#include <string>
#include <vector>

// Readable rectangles in failure messages.
inline void PrintTo(QRect const& rect, std::ostream* out) {
    *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << "x" << rect.height();
}

namespace scripted_mci {

using player_test::PlayerFixture;

inline constexpr char scripted_driver[] = "scripted.drv";
// The device types the player opens files and discs with.
inline constexpr std::initializer_list<char const*> scripted_types = {"MPEGMovie", "VCDVideo", "avivideo",
                                                                      "QTWVideo", "Animation1"};

class ScriptedPlayer : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        mci_test::reset_recording();
        mci_test::device_script().own_answers = false;
        ASSERT_TRUE(m_driver.serve(scripted_types));
        m_trace = prefix.root() / "mci.trace";
        setenv("MCITRACE", m_trace.c_str(), 1);
        start_player();
        forget_sent();
    }

    void TearDown() override {
        if (m_video_window)
            DestroyWindow(m_video_window);
        mciSendStringA("close all", nullptr, 0, nullptr);
        unsetenv("MCITRACE");
        PlayerFixture::TearDown();
    }

    // Tells the device how to answer `command`.
    void answer(std::string const& command, MCIERROR error, std::string const& reply = {}) {
        mci_test::device_script().answers[command] = mci_test::ScriptedAnswer{error, reply};
    }

    // The command strings sent since the last forget_sent(), in order.
    std::vector<std::string> sent() const {
        return mci_trace_commands(m_trace);
    }
    // Each string sent with its result, "command -> code".
    std::vector<std::string> sent_with_results() const {
        return mci_trace_results(m_trace);
    }
    void forget_sent() { std::filesystem::remove(m_trace); }

    // Opens the alias on the scripted device as an open of the player does, without set-up.
    void open_alias() {
        ASSERT_EQ(
            player::send_command(nullptr, nullptr, "open C:\\CLIP.MPG type MPEGMovie alias xyzmpeg wait"),
            0u);
        player::state.media_open = true;
        forget_sent();
    }

    std::size_t beeps() const { return responder.beeps.size(); }

    // A top-level window standing in for a device's video window; destroyed after the test.
    HWND make_video_window() {
        static const bool registered = [] {
            WNDCLASSA window_class{};
            window_class.lpfnWndProc = DefWindowProcA;
            window_class.lpszClassName = "ScriptedVideo";
            return RegisterClassA(&window_class) != 0;
        }();
        EXPECT_TRUE(registered);
        m_video_window = CreateWindowExA(0, "ScriptedVideo", "video", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80,
                                         nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(m_video_window, nullptr);
        return m_video_window;
    }

    // The window's placement on the screen, as MoveWindow left it.
    static QRect placement(HWND hwnd) {
        QWidget* widget = host::window_widget(hwnd);
        return widget ? widget->geometry() : QRect();
    }

    // The window number a device gives in its replies.
    static std::string handle_number(HWND hwnd) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(hwnd));
    }

    std::filesystem::path m_trace;
    HWND m_video_window = nullptr;

  private:
    mci_test::RecordingDriver m_driver{scripted_driver};
};

} // namespace scripted_mci
