// The window layouts: full screen, the normal layout that stop restores, and the panel with the
// backdrop when there is no video window. The screen is 640 x 480 (PlayerFixture).
#include "ScriptedMci.h"

#include "ops/Transport.h"

namespace {

using namespace scripted_mci;
using player::bitmaps;
using player::state;

class Layout : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        open_alias();
    }

    // A medium with a 352 x 240 picture placed as the set-up places it.
    void with_picture() {
        state.video_window = make_video_window();
        state.video_width = 352;
        state.video_height = 240;
        state.video_x = (640 - 352) / 2;
        state.video_y = (480 - 240) / 2 + bitmaps.panel_height / 2;
    }

    QRect normal_main() const {
        const int x = (640 - bitmaps.panel_width) / 2;
        const int y = (480 - (bitmaps.panel_height + 240 + 14)) / 2;
        return {x, y, bitmaps.panel_width, bitmaps.panel_height + 240 + 15};
    }
    QRect normal_video() const { return {state.video_x, state.video_y + 1, 352, 240}; }
};

const QRect full_screen{0, 0, 640 + 8, 480 + 6};

TEST_F(Layout, stop_in_full_size_shows_the_normal_layout_and_the_next_play_returns_to_full_size) {
    with_picture();
    state.full_size = true;
    player::play();
    EXPECT_EQ(placement(player::windows.main_window), full_screen);
    EXPECT_EQ(placement(state.video_window), full_screen);
    EXPECT_EQ(state.window_x, 0);
    EXPECT_EQ(state.window_y, 0);

    player::stop();
    EXPECT_TRUE(state.full_size);
    EXPECT_EQ(placement(player::windows.main_window), normal_main());
    EXPECT_EQ(placement(state.video_window), normal_video());
    EXPECT_EQ(state.window_x, normal_main().x());
    EXPECT_EQ(state.window_y, normal_main().y());

    player::play();
    EXPECT_EQ(placement(player::windows.main_window), full_screen);
    EXPECT_EQ(placement(state.video_window), full_screen);
}

TEST_F(Layout, full_size_is_a_little_larger_than_any_screen) {
    struct Case {
        int width;
        int height;
        QRect expected;
    };
    with_picture();
    state.full_size = true;
    for (Case c : {Case{800, 600, {0, 0, 810, 607}}, Case{1024, 768, {0, 0, 1036, 777}},
                   Case{1366, 768, {0, 0, 1383, 777}}}) {
        host::set_screen_size_override(c.width, c.height);
        player::apply_layout();
        EXPECT_EQ(placement(player::windows.main_window), c.expected) << c.width << "x" << c.height;
        EXPECT_EQ(placement(state.video_window), c.expected) << c.width << "x" << c.height;
    }
}

TEST_F(Layout, toggle_full_size_inverts_it_lays_out_and_plays) {
    with_picture();
    player::toggle_full_size();
    EXPECT_TRUE(state.full_size);
    EXPECT_TRUE(state.playing);
    EXPECT_EQ(placement(player::windows.main_window), full_screen);
    player::toggle_full_size();
    EXPECT_FALSE(state.full_size);
    EXPECT_EQ(placement(player::windows.main_window), normal_main());
    EXPECT_EQ(placement(state.video_window), normal_video());
}

TEST_F(Layout, centring_truncates_toward_zero_on_a_screen_smaller_than_the_window) {
    with_picture();
    // Taller than the screen by an odd number of lines: the centring divides a negative odd number.
    state.video_height = bitmaps.panel_height % 2 == 0 ? 577 : 578;
    const int excess = bitmaps.panel_height + state.video_height + 14 - 480;
    ASSERT_EQ(excess % 2, 1);
    host::set_screen_size_override(641, 480);
    player::stop();
    EXPECT_EQ(state.window_y, -(excess / 2)); // -(n / 2), not floor(-n / 2)
    EXPECT_EQ(state.window_x, (641 - bitmaps.panel_width) / 2);
    EXPECT_EQ(placement(player::windows.main_window).y(), -(excess / 2));
}

TEST_F(Layout, stop_without_video_centres_panel_and_backdrop_on_the_start_up_screen) {
    host::set_screen_size_override(1024, 768); // changed after start-up: not used
    player::stop();
    const QRect expected{(640 - bitmaps.panel_width) / 2,
                         (480 - (bitmaps.panel_height + bitmaps.backdrop_height)) / 2, bitmaps.panel_width,
                         bitmaps.panel_height + bitmaps.backdrop_height};
    EXPECT_EQ(placement(player::windows.main_window), expected);
}

TEST_F(Layout, full_size_key_with_nothing_open_inverts_and_the_play_beeps) {
    player::close_media();
    forget_sent();
    player::toggle_full_size();
    EXPECT_TRUE(state.full_size);
    EXPECT_EQ(beeps(), 1u);
    EXPECT_EQ(sent().front(), "play xyzmpeg repeat");
}

} // namespace
