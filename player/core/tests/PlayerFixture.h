// A player started the way the program starts it, on a screen size the test chooses, in a fresh
// temporary prefix. The window classes are registered once per test program (classes live as
// long as the process); each test gets fresh state and its own main window.
#pragma once

#include "core/PanelBitmaps.h"
#include "core/Player.h"
#include "core/Startup.h"

#include "PumpUntil.h"
#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/user32.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace player_test {

inline bool classes_registered() {
    static const bool registered = player::register_classes(nullptr);
    return registered;
}

class PlayerFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(classes_registered());
        // The prefix is a machine where the player's device types are registered, so its start
        // asks for no restart.
        WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        player::state = player::PlayerState{};
        player::windows.main_window = nullptr;
        player::windows.help_window = nullptr;
        host::set_screen_size_override(640, 480);
    }

    void TearDown() override {
        if (player::windows.main_window)
            DestroyWindow(player::windows.main_window);
        pump_pending();
        host::set_screen_size_override(0, 0);
    }

    HWND start_player() {
        EXPECT_TRUE(player::create_main_window(nullptr, SW_SHOWNORMAL));
        pump_pending();
        return player::windows.main_window;
    }

    // What the main window shows now.
    QImage grab_main_window() const {
        QWidget* widget = host::window_widget(player::windows.main_window);
        return widget ? widget->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    }

    TempPrefix prefix;
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scoped_responder{responder};
};

} // namespace player_test
