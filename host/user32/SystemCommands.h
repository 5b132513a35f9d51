// What the default window procedure does with the system keys and WM_SYSCOMMAND, as Windows
// does: Alt+F4 closes the top-level window, Alt+Space opens its system menu (when it has one),
// and the system commands minimise, maximise, restore, move and close it. GUI thread only.
#pragma once

#include "host/user32.h"

namespace host::user32 {

// WM_SYSKEYDOWN and WM_SYSCHAR.
void default_system_key(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// WM_SYSCOMMAND.
void default_system_command(HWND hwnd, WPARAM wparam, LPARAM lparam);

} // namespace host::user32
