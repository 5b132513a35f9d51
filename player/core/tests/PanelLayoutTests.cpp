// The arithmetic of redraw_panel as data: which sprite goes where for given PlayerState values.
#include "core/PanelLayout.h"

#include "resources/ArtLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace player {
std::ostream& operator<<(std::ostream& out, BitmapCopy const& c) {
    return out << "{(" << c.source_x << "," << c.source_y << ") " << c.width << "x" << c.height << " -> ("
               << c.x << "," << c.y << ")}";
}
} // namespace player

namespace {

using player::BitmapCopy;
using player::PanelLook;
using player::PlayerState;
namespace part = player::panel_part;
namespace art = player::art;

constexpr std::int32_t ninety_seconds = 90000;

BitmapCopy sprite_at(art::SpriteRect source, int x, int y) {
    return {source.x, source.y, source.width, source.height, x, y};
}

BitmapCopy glyph_at(char c, int x, int y) {
    return sprite_at(art::glyph(art::glyph_index(c)), x, y);
}

std::vector<BitmapCopy> draw(PlayerState const& state, int parts, char const* text = "") {
    PanelLook look;
    return player::panel_copies(state, text, parts, look);
}

PlayerState medium(std::int32_t position_ms, std::int32_t length_ms = ninety_seconds) {
    PlayerState state;
    state.media_open = true;
    state.position_ms = position_ms;
    state.length_ms = length_ms;
    return state;
}

TEST(PanelLayout, position_knob_and_percentage_follow_the_position) {
    struct Case {
        std::int32_t position_ms;
        int knob_x;
        const char* percentage;
    };
    const Case cases[] = {
        {0, 43, "00%"},       {45000, 88, "50%"}, {90000, 133, "99%"}, // the readout never shows 100%
        {89999, 132, "99%"},  {1000, 44, "01%"},  {6300, 49, "07%"},
        {120000, 133, "99%"}, // past the end the knob stays at the end
    };
    for (const Case& c : cases) {
        const auto copies = draw(medium(c.position_ms), part::position_bar | part::blink_and_percentage);
        EXPECT_NE(std::find(copies.begin(), copies.end(), sprite_at(art::position_knob_normal, c.knob_x, 39)),
                  copies.end())
            << c.position_ms;
        for (int i = 0; i < 3; ++i)
            EXPECT_NE(std::find(copies.begin(), copies.end(), glyph_at(c.percentage[i], 210 + 5 * i, 41)),
                      copies.end())
                << c.position_ms << " cell " << i;
    }
}

TEST(PanelLayout, position_bar_draws_track_fill_and_knob_in_that_order) {
    PlayerState state = medium(45000);
    state.mark_begin_ms = 0;
    state.mark_end_ms = ninety_seconds;
    const std::vector<BitmapCopy> expected{
        sprite_at(art::position_track, 43, 39),
        {0, 40, 119, 8, 43, 39}, // 90 + 29, limited to 119
        sprite_at(art::position_knob_normal, 88, 39),
    };
    EXPECT_EQ(draw(state, part::position_bar), expected);
}

TEST(PanelLayout, marked_fill_starts_at_the_begin_mark_and_is_29_pixels_longer_than_the_range) {
    struct Case {
        std::int32_t begin_ms;
        std::int32_t end_ms;
        bool filled;
        int x;
        int width;
    };
    const Case cases[] = {
        {30000, 60000, true, 73, 59},  // offsets 30 and 60
        {30000, 30000, false, 0, 0},   // equal marks: nothing
        {60000, 30000, false, 0, 0},   // end before begin: nothing
        {0, 999, false, 0, 0},         // both offsets truncate to 0
        {0, 1000, true, 43, 30},       // offset 1
        {80000, 90000, true, 123, 39}, // overhangs the track by the knob's width, as drawn
    };
    for (const Case& c : cases) {
        PlayerState state = medium(0);
        state.mark_begin_ms = c.begin_ms;
        state.mark_end_ms = c.end_ms;
        const auto copies = draw(state, part::position_bar);
        ASSERT_EQ(copies.size(), c.filled ? 3u : 2u) << c.begin_ms << ".." << c.end_ms;
        if (c.filled) {
            EXPECT_EQ(copies[1], (BitmapCopy{0, 40, c.width, 8, c.x, 39})) << c.begin_ms << ".." << c.end_ms;
        }
    }
}

TEST(PanelLayout, pressed_knobs_show_while_dragged) {
    PanelLook look;
    look.position_knob_pressed = true;
    look.volume_knob_pressed = true;
    PlayerState state = medium(0);
    state.volume = 0;
    const auto copies = player::panel_copies(state, "", part::position_bar | part::volume_bar, look);
    ASSERT_EQ(copies.size(), 4u);
    EXPECT_EQ(copies[1], sprite_at(art::position_knob_pressed, 43, 39));
    EXPECT_EQ(copies[3], sprite_at(art::volume_knob_pressed, 171, 40));
}

TEST(PanelLayout, volume_knob_moves_18_pixels_over_the_volume_range) {
    struct Case {
        std::int32_t volume;
        int knob_x;
    };
    const Case cases[] = {{0, 171}, {1000, 189}, {500, 180}, {55, 171}, {56, 172}, {1300, 194}};
    for (const Case& c : cases) {
        PlayerState state;
        state.volume = c.volume;
        const std::vector<BitmapCopy> expected{sprite_at(art::volume_track, 171, 39),
                                               sprite_at(art::volume_knob_normal, c.knob_x, 40)};
        EXPECT_EQ(draw(state, part::volume_bar), expected) << c.volume;
    }
}

TEST(PanelLayout, length_readout_shows_minutes_and_seconds) {
    struct Case {
        std::int32_t length_ms;
        std::vector<int> digits; // the digits drawn, minute cells first; 2 when the minutes are left alone
    };
    const Case cases[] = {
        {4440000, {7, 4, 0, 0}}, {90000, {0, 1, 3, 0}}, {1, {0, 0, 0, 0}}, {5939999, {9, 8, 5, 9}}, // 98:59
        {5940000, {0, 0}},    // 99 minutes: the minute cells keep what was there
        {2147483647, {2, 3}}, // 35791:23: only the seconds
    };
    for (const Case& c : cases) {
        PlayerState state;
        state.length_ms = c.length_ms;
        const auto copies = draw(state, part::length_readout);
        ASSERT_EQ(copies.size(), 1 + c.digits.size()) << c.length_ms;
        EXPECT_EQ(copies[0], sprite_at(art::colon, 240, 41));
        const int first_x = c.digits.size() == 4 ? 230 : 245;
        for (std::size_t i = 0; i < c.digits.size(); ++i) {
            const int x = first_x + 5 * static_cast<int>(i) + (first_x == 230 && i >= 2 ? 5 : 0);
            EXPECT_EQ(copies[1 + i], sprite_at(art::digit(c.digits[i]), x, 41))
                << c.length_ms << " digit " << i;
        }
    }
}

TEST(PanelLayout, blinking_lamp_alternates_its_phases_while_playing) {
    PlayerState state = medium(0);
    state.playing = true;
    PanelLook look;
    std::vector<BitmapCopy> lamps;
    for (int tick = 0; tick < 4; ++tick) {
        const auto copies = player::panel_copies(state, "", part::blink_and_percentage, look);
        ASSERT_GE(copies.size(), 2u);
        EXPECT_EQ(copies[0], sprite_at(art::play_lamp_on, 143, 19));
        lamps.push_back(copies[1]);
    }
    EXPECT_EQ(look.blink_counter, 4u);
    const BitmapCopy a = sprite_at(art::blink_lamp_a, 225, 41);
    const BitmapCopy b = sprite_at(art::blink_lamp_b, 225, 41);
    EXPECT_EQ(lamps, (std::vector<BitmapCopy>{b, a, b, a}));

    state.playing = false;
    const auto stopped = player::panel_copies(state, "", part::blink_and_percentage, look);
    EXPECT_EQ(stopped[0], sprite_at(art::blink_lamp_stopped, 225, 41));
    EXPECT_EQ(look.blink_counter, 4u);
}

TEST(PanelLayout, negative_percentage_leaves_the_minus_cell_undrawn) {
    const auto copies = draw(medium(-5000), part::blink_and_percentage);
    // "-05%": the minus has no glyph; 0, 5 and % follow it one cell further right.
    const std::vector<BitmapCopy> expected{sprite_at(art::blink_lamp_stopped, 225, 41),
                                           glyph_at('0', 215, 41), glyph_at('5', 220, 41),
                                           glyph_at('%', 225, 41)};
    EXPECT_EQ(copies, expected);
}

TEST(PanelLayout, play_lamp_shows_the_play_state) {
    PlayerState state;
    EXPECT_EQ(draw(state, part::play_lamp), std::vector<BitmapCopy>{sprite_at(art::play_lamp_off, 143, 19)});
    state.playing = true;
    EXPECT_EQ(draw(state, part::play_lamp), std::vector<BitmapCopy>{sprite_at(art::play_lamp_on, 143, 19)});
}

TEST(PanelLayout, text_field_draws_glyphs_only_for_characters_of_the_alphabet) {
    EXPECT_TRUE(draw(PlayerState{}, part::text_field, "abc").empty());

    const std::string banner = "REELIX V1.64 1998";
    const auto copies = draw(PlayerState{}, part::text_field, banner.c_str());
    ASSERT_EQ(copies.size(), banner.size());
    for (std::size_t i = 0; i < banner.size(); ++i)
        EXPECT_EQ(copies[i], glyph_at(banner[i], 148 + 5 * static_cast<int>(i), 19)) << i;

    const auto mixed = draw(PlayerState{}, part::text_field, "AbC");
    EXPECT_EQ(mixed, (std::vector<BitmapCopy>{glyph_at('A', 148, 19), glyph_at('C', 158, 19)}));
}

TEST(PanelLayout, text_field_shows_at_most_21_characters) {
    const auto copies = draw(PlayerState{}, part::text_field, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ASSERT_EQ(copies.size(), 21u);
    EXPECT_EQ(copies.back(), glyph_at('U', 148 + 5 * 20, 19));
}

TEST(PanelLayout, parts_are_drawn_only_when_selected_and_in_order) {
    EXPECT_TRUE(draw(medium(0), 0, "ABC").empty());
    const auto copies = draw(medium(0), part::all, "A");
    ASSERT_FALSE(copies.empty());
    EXPECT_EQ(copies.front(), sprite_at(art::position_track, 43, 39));
    EXPECT_EQ(copies.back(), glyph_at('A', 148, 19));
}

TEST(PanelLayout, long_media_do_not_overflow_the_percentage) {
    // 6 hours: 21 600 000 x 100 passes the 32-bit range; the percentage must still be 50.
    EXPECT_EQ(player::percentage(10800000, 21600000), 50);
    EXPECT_EQ(player::knob_offset(2147483647, 2147483647), 90);
    EXPECT_EQ(player::percentage(0, 0), 0); // never reached: a zero length gives 0, not a crash
}

TEST(PanelLayout, picture_frame_strips_surround_the_video) {
    const std::vector<BitmapCopy> expected{
        {0, 0, 368, 7, 0, 70},
        {0, 7, 7, 241, 0, 77},
        {361, 7, 7, 241, 361, 77},
        {0, 295, 368, 7, 0, 318},
    };
    EXPECT_EQ(player::frame_copies(70, 368, 302, 240), expected);
}

} // namespace
