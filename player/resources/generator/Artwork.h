// The drawings: each function paints one of the player's pictures from scratch.
#pragma once

#include "Canvas.h"

namespace player::art {

// The colour under the slider tracks, which the knobs' lowest rows repeat so that a knob moved
// away leaves no trace below the track.
constexpr ColorIndex slider_well = steel(14);

Canvas draw_sprite_sheet();
// The panel shows the sliders at rest, so it takes their pictures from the sheet.
Canvas draw_panel(const Canvas& sheet);
Canvas draw_backdrop();
Canvas draw_mpeg_icon();
Canvas draw_help_icon();

// One panel button, normal or pressed, at (x, y) of `canvas`.
void draw_button(Canvas& canvas, int x, int y, int control_id, bool pressed);

} // namespace player::art
