// The help window (class "MYCMDLG"): the About text and two pages of key help over the picture
// area, stepped by mouse clicks. It holds the mouse capture while it is shown, so the panel
// cannot be clicked; the third click closes it. GUI thread only.
#pragma once

#include "host/user32.h"

namespace player {

// The page shown, 0 to 2, kept for the program's lifetime; the third click sets it back to 0.
extern int help_page_number;

// The "&About Reelix" menu entry, F1 and panel button 1011: stops play and shows the window.
void show_help_window();

LRESULT help_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace player
