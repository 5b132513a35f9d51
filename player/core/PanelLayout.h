// Where the panel's pieces go: the list of plain copies (source rectangle, destination) that
// redraw_panel and WM_PAINT carry out. Geometry only, no drawing, so the arithmetic of every part
// can be checked as data; painting (PanelPainter.cpp) only performs the copies.
#pragma once

#include "core/PlayerState.h"

#include <cstdint>
#include <vector>

namespace player {

// One SRCCOPY of a width x height rectangle from (source_x, source_y) of a bitmap to (x, y) of
// the main window's client area.
struct BitmapCopy {
    int source_x = 0;
    int source_y = 0;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;

    bool operator==(BitmapCopy const&) const = default;
};

// The parts of redraw_panel, as bits of its `parts` argument.
namespace panel_part {
constexpr int position_bar = 1;
constexpr int volume_bar = 2;
constexpr int length_readout = 4;
constexpr int blink_and_percentage = 8;
constexpr int play_lamp = 16;
constexpr int text_field = 32;
constexpr int all = 63;
} // namespace panel_part

// What the panel remembers between redraws besides the screen itself.
struct PanelLook {
    bool position_knob_pressed = false; // the knob images while a slider is dragged
    bool volume_knob_pressed = false;
    std::uint32_t blink_counter = 0; // counts the blinking lamp's draws while playing
};

extern PanelLook panel_look;

// The sprite-sheet copies that draw `parts` for `state`, in drawing order. Drawing the blinking
// lamp while playing advances look.blink_counter, as drawing it does.
std::vector<BitmapCopy> panel_copies(PlayerState const& state, char const* text, int parts, PanelLook& look);

// Pieces of the length readout and the percentage, also used by panel_copies.
int knob_offset(std::int32_t position_ms, std::int32_t length_ms);
int scaled_offset(std::int32_t time_ms, std::int32_t length_ms, int travel);
int percentage(std::int32_t position_ms, std::int32_t length_ms);

// The backdrop copies of the picture frame around a video of `video_height` lines (WM_PAINT with
// a video window), for a panel `panel_height` high and a backdrop of the given size.
std::vector<BitmapCopy> frame_copies(int panel_height, int backdrop_width, int backdrop_height,
                                     int video_height);

} // namespace player
