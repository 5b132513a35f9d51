// The player program on a private X server, bare and under a window manager, driven as a user
// drives it: a drag on the panel's empty area moves the borderless window, a click there does
// not, and Alt+F4 ends the player cleanly.
#include "ChildProgram.h"
#include "TempPrefix.h"

#include "host/kernel32.h"

#include <cstdlib>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace {

constexpr char const* Title = "Reelix Example";

class PlayerDesktop : public xtest::DeskTest {
  protected:
    void start_shown() {
        // The device types are registered already: a first start would ask to restart Windows.
        WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        player = std::make_unique<ChildProgram>(std::vector<std::string>{TEST_BIN_DIR "/reelp32"}, prefix.root(),
                                                prefix.root(), display_settings());
        window = window_of(player->pid(), Title);
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(client->settle([&] {
            ::Window focus = 0;
            int revert = 0;
            XGetInputFocus(client->display(), &focus, &revert);
            return focus == window;
        }));
    }

    TempPrefix prefix;
    std::unique_ptr<ChildProgram> player;
    ::Window window = 0;
};

TEST_P(PlayerDesktop, a_drag_on_the_panels_empty_area_moves_the_window_and_a_click_does_not) {
    start_shown();
    xtest::Client::Box const before = client->box(window);
    // Below the button rows, left of the lamps: panel with nothing on it.
    int const x = before.x + 150;
    int const y = before.y + 62;
    client->click(x, y);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(client->box(window), before);

    client->drag(x, y, 120, 80, 40);
    xtest::Client::Box after;
    EXPECT_TRUE(client->settle([&] {
        after = client->box(window);
        // A window manager moves the window from where the press became a drag.
        return std::abs(after.x - (before.x + 120)) <= 8 && std::abs(after.y - (before.y + 80)) <= 8;
    })) << "moved to " << after.x << "," << after.y << " from " << before.x << "," << before.y;
    EXPECT_EQ(after.width, before.width);
    EXPECT_TRUE(player->running());
}

TEST_P(PlayerDesktop, a_drag_that_starts_on_a_panel_button_does_not_move_the_window) {
    start_shown();
    xtest::Client::Box const before = client->box(window);
    // Button 1007 (at 305, 37) does nothing when released.
    client->drag(before.x + 305 + 11, before.y + 37 + 9, 100, 60);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(client->box(window), before);
}

TEST_P(PlayerDesktop, alt_f4_ends_the_player_cleanly) {
    start_shown();
    client->type({XK_Alt_L, XK_F4});
    EXPECT_TRUE(player->ended_cleanly());
}

INSTANTIATE_TEST_SUITE_P(Desks, PlayerDesktop, xtest::desks, xtest::desk_name);

} // namespace
