// Where keys, menu choices, panel buttons and mouse clicks on the panel end: one table of
// commands and one of button actions that the dispatch walks. GUI thread only.
#pragma once

#include "host/user32.h"

namespace player {

// WM_COMMAND: runs the command with this id; unknown ids do nothing, and a command that needs
// a medium is skipped while none is open.
void dispatch_command(WORD id);

// WM_DRAWITEM of a panel button: draws its image and runs its action on release. Returns 1 when
// the notification was handled.
LRESULT handle_draw_item(DRAWITEMSTRUCT const& item);

// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and WM_RBUTTONDOWN on the panel.
void handle_panel_mouse(UINT message, WPARAM wparam, LPARAM lparam);

} // namespace player
