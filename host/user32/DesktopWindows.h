// Handles of the desktop's windows that are not this program's own host windows: other programs'
// windows (and this program's Qt windows that the host did not make), found on the X server.
// A window of this program that the host made keeps its own handle. GUI thread only.
#pragma once

#include "host/user32.h"

#include <optional>

namespace host::user32 {

// The X window behind a desktop handle; nothing for any other handle.
std::optional<unsigned long> desktop_window_of(HWND hwnd);

// ShowWindow for a desktop handle: FALSE when the window was hidden before (or is gone).
BOOL show_desktop_window(unsigned long window, int show);

} // namespace host::user32
