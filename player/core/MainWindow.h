// The main window (class "CMDLG"): the borderless panel window and its procedure, which routes
// every message of the player to painting, command dispatch and the tick. GUI thread only.
#pragma once

#include "host/user32.h"

namespace player {

LRESULT main_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace player
