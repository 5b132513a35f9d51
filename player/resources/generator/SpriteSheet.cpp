// The sprite sheet: every small picture the panel painter copies, at the places ArtLayout.h names.
#include "Artwork.h"

#include "resources/ArtLayout.h"
#include "PixelFont.h"

namespace player::art {

namespace {

// The groove both sliders run in: a dark channel with unlit segments, rim above, lip below.
void draw_track(Canvas& sheet, const SpriteRect& at) {
    sheet.hline(at.x, at.y, at.width, steel(6));
    sheet.hline(at.x, at.y + 1, at.width, steel(12));
    sheet.fill(at.x, at.y + 2, at.width, 6, lcd_background);
    for (int x = 1; x < at.width; x += 4)
        sheet.fill(at.x + x, at.y + 4, 2, 2, lcd_unlit);
    sheet.hline(at.x, at.y + 8, at.width, steel(28));
    sheet.hline(at.x, at.y + 9, at.width, steel(44));
}

// The marked stretch: the same groove lit amber, brightest along its middle.
void draw_marked_fill(Canvas& sheet, const SpriteRect& at) {
    constexpr int levels[] = {5, 9, 11, 10, 7, 3};
    sheet.hline(at.x, at.y, at.width, steel(6));
    sheet.hline(at.x, at.y + 1, at.width, steel(12));
    for (int row = 0; row < 6; ++row)
        for (int x = 0; x < at.width; ++x)
            sheet.set(at.x + x, at.y + 2 + row, amber(x % 4 == 0 ? levels[row] - 3 : levels[row]));
}

// A slider knob: a steel cap with grip ridges; its rows from `body_height` down repeat the
// slider well. Pressed, the cap is darker and the ridges glow.
void draw_knob(Canvas& sheet, const SpriteRect& at, int body_height, int first_grip, int grips,
               bool pressed) {
    Noise noise(0x0C0FFEEu + static_cast<std::uint32_t>(at.x));
    sheet.fill(at.x, at.y, at.width, at.height, slider_well);
    sheet.bevel(at.x, at.y, at.width, body_height, steel(3), steel(3));
    sheet.brushed(at.x + 1, at.y + 1, at.width - 2, body_height - 2, pressed ? 40 : 56, pressed ? 28 : 36,
                  noise);
    sheet.bevel(at.x + 1, at.y + 1, at.width - 2, body_height - 2, steel(pressed ? 50 : 63),
                steel(pressed ? 16 : 20));
    for (int i = 0; i < grips; ++i) {
        const int x = at.x + first_grip + 3 * i;
        sheet.vline(x, at.y + 2, body_height - 4, pressed ? glow(11) : steel(12));
        sheet.vline(x + 1, at.y + 2, body_height - 4, pressed ? glow(4) : steel(60));
    }
}

void draw_lamp(Canvas& sheet, const SpriteRect& at, std::initializer_list<std::string_view> rows,
               ColorIndex color) {
    draw_unlit_cell(sheet, at.x, at.y);
    sheet.stamp(at.x, at.y, rows, color);
}

void draw_lamps(Canvas& sheet) {
    const std::initializer_list<std::string_view> play_mark = {"#...", "##..", "###.", "##..", "#..."};
    const std::initializer_list<std::string_view> dot = {"....", ".##.", "####", ".##.", "...."};
    draw_unlit_cell(sheet, 5, play_lamp_on.y); // the unused cell between the play lamps
    draw_lamp(sheet, play_lamp_on, play_mark, glow(11));
    draw_lamp(sheet, play_lamp_off, play_mark, glow(1));
    draw_glyph_cell(sheet, colon.x, colon.y, ':', lcd_text);
    draw_lamp(sheet, blink_lamp_a, dot, glow(11));
    draw_lamp(sheet, blink_lamp_b, dot, glow(3));
    draw_lamp(sheet, blink_lamp_stopped, dot, red(10));
}

void draw_font(Canvas& sheet) {
    for (int g = 0; g < static_cast<int>(glyph_alphabet.size()); ++g) {
        const SpriteRect cell = glyph(g);
        draw_glyph_cell(sheet, cell.x, cell.y, glyph_alphabet[g], lcd_text);
    }
    for (int d = 0; d <= 9; ++d) {
        const SpriteRect cell = digit(d);
        draw_glyph_cell(sheet, cell.x, cell.y, static_cast<char>('0' + d), lcd_text);
    }
}

} // namespace

Canvas draw_sprite_sheet() {
    Canvas sheet(sheet_width, sheet_height, steel(24));
    for (int id = first_button_id; id < first_button_id + button_count; ++id) {
        const SpriteRect normal = button_normal(id);
        const SpriteRect pressed = button_pressed(id);
        draw_button(sheet, normal.x, normal.y, id, false);
        draw_button(sheet, pressed.x, pressed.y, id, true);
    }
    draw_track(sheet, position_track);
    draw_marked_fill(sheet, marked_fill);
    draw_knob(sheet, position_knob_normal, 10, 9, 4, false);
    draw_knob(sheet, position_knob_pressed, 10, 9, 4, true);
    draw_knob(sheet, volume_knob_normal, 9, 4, 2, false);
    draw_knob(sheet, volume_knob_pressed, 9, 4, 2, true);
    draw_lamps(sheet);
    draw_font(sheet);
    return sheet;
}

} // namespace player::art
