// The player program on a private X server, bare and under a window manager, driven as a user
// drives it: a drag on the panel's empty area moves the borderless window, a click there does
// not, Alt+F4 ends the player cleanly, and the video window stays above the panel.
#include "ChildProgram.h"
#include "MediaFixtures.h"
#include "TempPrefix.h"

#include "host/kernel32.h"

#include <algorithm>
#include <cstdlib>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include "DeskFixture.h"

namespace {

constexpr char const* Title = "Reelix Example";

class PlayerDesktop : public xtest::DeskTest {
  protected:
    void start_shown(std::vector<std::string> const& files = {}) {
        // The device types are registered already: a first start would ask to restart Windows.
        WritePrivateProfileStringA("mci", "VCDVideo", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        WritePrivateProfileStringA("mci", "MpegMovie", "CDDRIVER.DRV", "C:\\WINDOWS\\SYSTEM.INI");
        std::vector<std::string> argv{TEST_BIN_DIR "/reelp32"};
        argv.insert(argv.end(), files.begin(), files.end());
        player = std::make_unique<ChildProgram>(argv, prefix.root(), prefix.root(), display_settings());
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

// The picture's pixels at a few points across a window's area, as the screen shows them.
std::vector<unsigned long> samples(xtest::Client& client, xtest::Client::Box const& box) {
    std::vector<unsigned long> pixels;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 3; ++j)
            pixels.push_back(client.pixel(box.x + box.width * i / 5, box.y + box.height * j / 4));
    return pixels;
}

// The video window is a popup the main window owns: raising the main window, as a click on it
// does under a window manager, and clicking the panel leave the picture above the panel, and
// the picture goes on moving.
TEST_P(PlayerDesktop, the_video_window_stays_above_the_raised_main_window_and_shows_the_movie) {
    start_shown({media::test::vcd_mpeg(30)});
    ::Window video = 0;
    ASSERT_TRUE(client->settle([&] {
        for (::Window shown : client->stacking())
            if (shown != window && client->viewable(shown) &&
                client->longs(shown, "_NET_WM_PID") == std::vector<long>{player->pid()} &&
                client->box(shown).width == 352)
                video = shown;
        return video != 0;
    }));
    // Over the panel, so that the main window covers it when it comes out on top.
    XMoveWindow(client->display(), video, client->box(window).x + 40, client->box(window).y + 20);
    XSync(client->display(), False);

    for (int round = 0; round < 2; ++round) {
        XRaiseWindow(client->display(), window);
        XSync(client->display(), False);
        xtest::Client::Box const panel = client->box(window);
        client->click(panel.x + 150, panel.y + 62);
        EXPECT_TRUE(client->settle([&] { return client->topmost_of({window, video}) == video; })) << "round " << round;
        // And it stays so.
        EXPECT_FALSE(client->settle([&] { return client->topmost_of({window, video}) == window; },
                                    std::chrono::seconds(1)));
    }
    xtest::Client::Box const picture = client->box(video);
    std::vector<unsigned long> const first = samples(*client, picture);
    EXPECT_TRUE(client->settle([&] { return samples(*client, picture) != first; }))
        << "the picture does not move";
    EXPECT_TRUE(std::any_of(first.begin(), first.end(), [](unsigned long pixel) { return (pixel & 0xffffff) != 0; }))
        << "the picture is black";
    EXPECT_TRUE(player->running());
}

INSTANTIATE_TEST_SUITE_P(Desks, PlayerDesktop, xtest::desks, xtest::desk_name);

} // namespace
