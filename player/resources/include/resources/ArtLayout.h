// Where every piece of the player's art sits: the sprite rectangles inside the sprite sheet and the
// places on the panel the sprites are copied to. The generator draws by these numbers, the panel
// painter copies by them, and the resource tests check the shipped bitmaps against them.
#pragma once

#include <array>
#include <string_view>

namespace player::art {

struct SpriteRect {
    int x;
    int y;
    int width;
    int height;
};

struct PanelPoint {
    int x;
    int y;
};

// Sizes of the three bitmaps as shipped; layout code reads the loaded sizes, these are what the
// generator draws and the tests expect.
constexpr int panel_width = 368;
constexpr int panel_height = 70;
constexpr int sheet_width = 329;
constexpr int sheet_height = 85;
constexpr int backdrop_width = 368;
constexpr int backdrop_height = 302;
constexpr int icon_size = 32;

// Panel buttons: control ids 1000..1013, 23 x 18 each.
constexpr int first_button_id = 1000;
constexpr int button_count = 14;
constexpr int button_width = 23;
constexpr int button_height = 18;

// Panel positions of the buttons, indexed by control id - 1000.
// clang-format off
constexpr std::array<PanelPoint, button_count> button_positions{{
    {14, 13}, {41, 13}, {64, 13}, {87, 13}, {110, 13},     // previous, play, pause, stop, next
    {259, 37}, {282, 37}, {305, 37},                       // seek back, seek forward, spare
    {259, 13}, {282, 13}, {305, 13},                       // capture, 8 s cut, full size
    {332, 13}, {332, 37},                                  // help, exit
    {14, 37},                                              // device menu
}};
// clang-format on

constexpr SpriteRect button_normal(int control_id) {
    return {(control_id - first_button_id) * button_width, 0, button_width, button_height};
}
constexpr SpriteRect button_pressed(int control_id) {
    return {(control_id - first_button_id) * button_width, button_height, button_width, button_height};
}

// Sliders. The position track is 119 wide; the volume bar uses its first 31 columns.
constexpr int track_height = 10;
constexpr int position_track_width = 119;
constexpr int volume_track_width = 31;
constexpr int marked_fill_height = 8;
constexpr SpriteRect marked_fill{0, 40, position_track_width, marked_fill_height};
constexpr SpriteRect position_track{0, 71, position_track_width, track_height};
constexpr SpriteRect volume_track{0, 71, volume_track_width, track_height};
constexpr SpriteRect position_knob_normal{229, 40, 28, 12};
constexpr SpriteRect position_knob_pressed{259, 40, 28, 12};
constexpr SpriteRect volume_knob_normal{196, 40, 12, 10};
constexpr SpriteRect volume_knob_pressed{211, 40, 12, 10};

// Lamps and the colon: 5 x 6 cells in the row at y 48.
constexpr int cell_width = 5;
constexpr int cell_height = 6;
constexpr SpriteRect play_lamp_on{0, 48, cell_width, cell_height};
constexpr SpriteRect play_lamp_off{10, 48, cell_width, cell_height};
constexpr SpriteRect colon{15, 48, cell_width, cell_height};
constexpr SpriteRect blink_lamp_a{20, 48, cell_width, cell_height};
constexpr SpriteRect blink_lamp_b{25, 48, cell_width, cell_height};
constexpr SpriteRect blink_lamp_stopped{30, 48, cell_width, cell_height};

// The pixel font: glyph g of the alphabet at (g * 5, 56), digit d at (d * 5, 64).
constexpr std::string_view glyph_alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ: 0123456789/[]>&%.\\~";
static_assert(glyph_alphabet.size() == 47);
constexpr int glyph_row_y = 56;
constexpr int digit_row_y = 64;

constexpr SpriteRect glyph(int index) {
    return {index * cell_width, glyph_row_y, cell_width, cell_height};
}
constexpr SpriteRect digit(int value) {
    return {value * cell_width, digit_row_y, cell_width, cell_height};
}

// Glyph number of a character, or -1 when the font has no glyph for it.
constexpr int glyph_index(char c) {
    const auto found = glyph_alphabet.find(c);
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

// Panel positions the sprites are copied to.
constexpr PanelPoint position_track_at{43, 39};
constexpr PanelPoint volume_track_at{171, 39};
constexpr int position_knob_y = 39;
constexpr int volume_knob_y = 40;
constexpr int position_knob_travel = 90;
constexpr int volume_knob_travel = 18;
constexpr PanelPoint text_field_at{148, 19};
constexpr int text_field_cells = 21;
constexpr PanelPoint play_lamp_at{143, 19};
constexpr PanelPoint percentage_at{210, 41};
constexpr int percentage_cells = 3;
constexpr PanelPoint blink_lamp_at{225, 41};
constexpr std::array<PanelPoint, 2> minute_digits_at{{{230, 41}, {235, 41}}};
constexpr PanelPoint colon_at{240, 41};
constexpr std::array<PanelPoint, 2> second_digits_at{{{245, 41}, {250, 41}}};

// Width of the picture frame the backdrop's borders give around the video.
constexpr int frame_width = 7;

} // namespace player::art
