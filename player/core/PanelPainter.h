// Painting the main window: the panel, the picture frame or backdrop under it, the selected parts
// of the panel redrawn on request, and the images of the panel buttons. GUI thread only.
#pragma once

#include "core/PanelLayout.h"

#include "host/user32.h"

namespace player {

// Redraws the selected parts (bits of panel_part) directly on the main window, outside WM_PAINT;
// the text field shows `text` (upper-case glyphs only, at most 21 characters).
void redraw_panel(char const* text, int parts);

// WM_PAINT of the main window.
void paint_main_window(HWND hwnd);

// Copies the normal or pressed image of a panel button into its owner-draw rectangle.
void draw_panel_button(DRAWITEMSTRUCT const& item, bool pressed);

} // namespace player
