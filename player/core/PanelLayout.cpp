#include "core/PanelLayout.h"

#include "resources/ArtLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace player {

PanelLook panel_look;

namespace {

using art::PanelPoint;
using art::SpriteRect;

// The panel's arithmetic is 32-bit signed with truncating division. Products are formed in 64
// bits so that a long medium cannot overflow them; the quotient is what 32 bits would give
// whenever they do not overflow, and is held to the 32-bit range otherwise.
// A zero length never reaches the panel (the open replaces it); it gives offset 0, not a crash.
std::int32_t scaled(std::int64_t value, std::int64_t factor, std::int64_t divisor) {
    if (divisor == 0)
        return 0;
    const std::int64_t result = value * factor / divisor;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        result, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

BitmapCopy copy(SpriteRect source, int x, int y) {
    return {source.x, source.y, source.width, source.height, x, y};
}

BitmapCopy copy(SpriteRect source, PanelPoint at) {
    return copy(source, at.x, at.y);
}

// Glyph cells from `at`, 5 pixels apart; characters without a glyph leave their cell alone.
void add_glyphs(std::vector<BitmapCopy>& copies, char const* text, std::size_t count, PanelPoint at) {
    for (std::size_t i = 0; i < count; ++i) {
        const int glyph = art::glyph_index(text[i]);
        if (glyph >= 0)
            copies.push_back(copy(art::glyph(glyph), at.x + art::cell_width * static_cast<int>(i), at.y));
    }
}

void add_position_bar(std::vector<BitmapCopy>& copies, PlayerState const& state, PanelLook const& look) {
    const int begin = scaled_offset(state.mark_begin_ms, state.length_ms, art::position_knob_travel);
    const int end = scaled_offset(state.mark_end_ms, state.length_ms, art::position_knob_travel);
    copies.push_back(copy(art::position_track, art::position_track_at));
    if (static_cast<std::int64_t>(end) - begin > 0) {
        SpriteRect fill = art::marked_fill;
        fill.width = static_cast<int>(std::min<std::int64_t>(std::int64_t(end) - begin + 29, fill.width));
        copies.push_back(copy(fill, art::position_track_at.x + begin, art::position_track_at.y));
    }
    const SpriteRect knob =
        look.position_knob_pressed ? art::position_knob_pressed : art::position_knob_normal;
    copies.push_back(copy(knob, art::position_track_at.x + knob_offset(state.position_ms, state.length_ms),
                          art::position_knob_y));
}

void add_volume_bar(std::vector<BitmapCopy>& copies, PlayerState const& state, PanelLook const& look) {
    const int offset = scaled(state.volume, art::volume_knob_travel, 1000);
    copies.push_back(copy(art::volume_track, art::volume_track_at));
    const SpriteRect knob = look.volume_knob_pressed ? art::volume_knob_pressed : art::volume_knob_normal;
    copies.push_back(copy(knob, art::volume_track_at.x + offset, art::volume_knob_y));
}

// A length of 99 minutes or more leaves the minute cells as they were.
void add_length_readout(std::vector<BitmapCopy>& copies, PlayerState const& state) {
    const std::int32_t seconds = state.length_ms / 1000;
    const std::int32_t minutes = seconds / 60;
    const std::int32_t rest = seconds - 60 * minutes;
    copies.push_back(copy(art::colon, art::colon_at));
    if (minutes < 99) {
        copies.push_back(copy(art::digit(minutes / 10), art::minute_digits_at[0]));
        copies.push_back(copy(art::digit(minutes % 10), art::minute_digits_at[1]));
    }
    if (rest < 99) {
        copies.push_back(copy(art::digit(rest / 10), art::second_digits_at[0]));
        copies.push_back(copy(art::digit(rest % 10), art::second_digits_at[1]));
    }
}

void add_blink_and_percentage(std::vector<BitmapCopy>& copies, PlayerState const& state, PanelLook& look) {
    if (state.playing) {
        copies.push_back(copy(art::play_lamp_on, art::play_lamp_at));
        copies.push_back(
            copy(look.blink_counter % 2 ? art::blink_lamp_a : art::blink_lamp_b, art::blink_lamp_at));
        ++look.blink_counter;
    } else {
        copies.push_back(copy(art::blink_lamp_stopped, art::blink_lamp_at));
    }
    char readout[16];
    std::snprintf(readout, sizeof readout, "%2.2d%%", percentage(state.position_ms, state.length_ms));
    add_glyphs(copies, readout, std::strlen(readout), art::percentage_at);
}

} // namespace

int scaled_offset(std::int32_t time_ms, std::int32_t length_ms, int travel) {
    return scaled(time_ms, travel, length_ms);
}

int knob_offset(std::int32_t position_ms, std::int32_t length_ms) {
    return scaled_offset(std::min(position_ms, length_ms), length_ms, art::position_knob_travel);
}

// The readout never shows 100%.
int percentage(std::int32_t position_ms, std::int32_t length_ms) {
    return std::min(scaled(position_ms, 100, length_ms), 99);
}

std::vector<BitmapCopy> panel_copies(PlayerState const& state, char const* text, int parts, PanelLook& look) {
    std::vector<BitmapCopy> copies;
    if (parts & panel_part::position_bar)
        add_position_bar(copies, state, look);
    if (parts & panel_part::volume_bar)
        add_volume_bar(copies, state, look);
    if (parts & panel_part::length_readout)
        add_length_readout(copies, state);
    if (parts & panel_part::blink_and_percentage)
        add_blink_and_percentage(copies, state, look);
    if (parts & panel_part::play_lamp)
        copies.push_back(copy(state.playing ? art::play_lamp_on : art::play_lamp_off, art::play_lamp_at));
    if ((parts & panel_part::text_field) && text)
        add_glyphs(copies, text, strnlen(text, art::text_field_cells), art::text_field_at);
    return copies;
}

std::vector<BitmapCopy> frame_copies(int panel_height, int backdrop_width, int backdrop_height,
                                     int video_height) {
    constexpr int edge = art::frame_width;
    return {
        {0, 0, backdrop_width, edge, 0, panel_height},
        {0, edge, edge, video_height + 1, 0, panel_height + edge},
        {backdrop_width - edge, edge, edge, video_height + 1, backdrop_width - edge, panel_height + edge},
        {0, backdrop_height - edge, backdrop_width, edge, 0, panel_height + video_height + 8},
    };
}

} // namespace player
