// Enlarged PNG views of the art for the people drawing it; nothing the player reads.
#pragma once

#include "Canvas.h"

#include <QString>

namespace player::art {

// The panel as the player shows it while playing: text, sliders, marks, lamps and read-outs
// copied from the sheet by the layout, over the backdrop's frame around an empty picture area.
Canvas compose_panel_in_use(const Canvas& panel, const Canvas& sheet, const Canvas& backdrop);

bool save_preview(const QImage& image, const QString& path, int scale);

} // namespace player::art
