// The control panel: a brushed-steel plate with sunken sockets for the buttons, two slider wells,
// two dot-matrix read-outs, screws in the corners and the maker's name pressed into the metal.
#include "Artwork.h"

#include "resources/ArtLayout.h"
#include "PixelFont.h"

namespace player::art {

namespace {

// A recess: dark rim above and left, light rim below and right, around the given interior.
void sink(Canvas& panel, int x, int y, int width, int height) {
    panel.bevel(x - 1, y - 1, width + 2, height + 2, steel(8), steel(58));
}

void draw_plate(Canvas& panel) {
    Noise noise(0x70A7E001u);
    panel.brushed(0, 0, panel_width, panel_height, 47, 33, noise);
    panel.bevel(0, 0, panel_width, panel_height, steel(4), steel(4));
    panel.bevel(1, 1, panel_width - 2, panel_height - 2, steel(63), steel(14));
    panel.bevel(2, 2, panel_width - 4, panel_height - 4, steel(54), steel(24));
}

void draw_screw(Canvas& panel, int cx, int cy) {
    panel.draw_rows(cx - 2, cy - 2, {".ddd.", "dlllm", "sssss", "dmmmd", ".ddd."},
                    {{'d', steel(12)}, {'l', steel(58)}, {'m', steel(34)}, {'s', steel(6)}});
    panel.set(cx + 2, cy + 3, steel(60)); // the highlight the countersink catches
}

// Sockets around runs of adjacent buttons: (first id, count).
void draw_button_sockets(Canvas& panel) {
    constexpr int runs[][2] = {{1000, 1}, {1001, 4}, {1008, 3}, {1005, 3}, {1011, 1}, {1012, 1}, {1013, 1}};
    for (const auto& run : runs) {
        const PanelPoint at = button_positions[run[0] - first_button_id];
        sink(panel, at.x, at.y, button_width * run[1], button_height);
    }
}

void draw_slider_well(Canvas& panel, const Canvas& sheet, PanelPoint at, int width, int height,
                      const SpriteRect& track, const SpriteRect& knob, int knob_x, int knob_y) {
    sink(panel, at.x, at.y, width, height);
    panel.fill(at.x, at.y, width, height, slider_well);
    panel.copy_from(sheet, track.x, track.y, track.width, track.height, at.x, at.y);
    panel.copy_from(sheet, knob.x, knob.y, knob.width, knob.height, knob_x, knob_y);
}

void draw_readouts(Canvas& panel) {
    // Text field with the play lamp before it.
    sink(panel, play_lamp_at.x - 3, text_field_at.y - 3, 6 + cell_width * (text_field_cells + 1) - 1, 12);
    panel.fill(play_lamp_at.x - 3, text_field_at.y - 3, 6 + cell_width * (text_field_cells + 1) - 1, 12,
               lcd_background);
    draw_unlit_cell(panel, play_lamp_at.x, play_lamp_at.y);
    for (int i = 0; i < text_field_cells; ++i)
        draw_unlit_cell(panel, text_field_at.x + cell_width * i, text_field_at.y);
    // Percentage, blinking lamp and length (mm:ss): nine cells in a row.
    constexpr int cells = percentage_cells + 1 + 5;
    sink(panel, percentage_at.x - 3, percentage_at.y - 3, 5 + cell_width * cells, 12);
    panel.fill(percentage_at.x - 3, percentage_at.y - 3, 5 + cell_width * cells, 12, lcd_background);
    for (int i = 0; i < cells; ++i)
        draw_unlit_cell(panel, percentage_at.x + cell_width * i, percentage_at.y);
}

void draw_lettering(Canvas& panel) {
    draw_engraved_text(panel, 171, 31, "VOLUME", 1, steel(16), steel(58));
    draw_engraved_text(panel, 230, 31, "TIME", 1, steel(16), steel(58));
    draw_engraved_text(panel, 14, 57, "REELIX", 2, steel(14), steel(60));
    draw_engraved_text(panel, 80, 62, "MPEG & VIDEO CD PLAYER", 1, steel(16), steel(58));
    // Vent slots on the right of the name plate.
    for (int i = 0; i < 12; ++i) {
        const int x = 244 + 8 * i;
        panel.fill(x, 60, 5, 2, steel(8));
        panel.hline(x, 62, 5, steel(58));
        panel.fill(x, 64, 5, 2, steel(8));
        panel.hline(x, 66, 5, steel(58));
    }
}

} // namespace

Canvas draw_panel(const Canvas& sheet) {
    Canvas panel(panel_width, panel_height, steel(40));
    draw_plate(panel);
    draw_screw(panel, 6, 6);
    draw_screw(panel, panel_width - 7, 6);
    draw_screw(panel, 6, panel_height - 7);
    draw_screw(panel, panel_width - 7, panel_height - 7);
    draw_button_sockets(panel);
    // At rest the position knob sits at the start and the volume knob at full volume.
    draw_slider_well(panel, sheet, position_track_at, position_track_width, 12, position_track,
                     position_knob_normal, position_track_at.x, position_knob_y);
    draw_slider_well(panel, sheet, volume_track_at, volume_track_width, 11, volume_track, volume_knob_normal,
                     volume_track_at.x + volume_knob_travel, volume_knob_y);
    draw_readouts(panel);
    draw_lettering(panel);
    for (int id = first_button_id; id < first_button_id + button_count; ++id) {
        const PanelPoint at = button_positions[id - first_button_id];
        draw_button(panel, at.x, at.y, id, false);
    }
    return panel;
}

} // namespace player::art
