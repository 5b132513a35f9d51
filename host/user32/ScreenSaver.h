// The screen saver and the active window. Windows asks the active window with
// WM_SYSCOMMAND/SC_SCREENSAVE before it starts the screen saver, and a procedure that does not
// pass the message on to DefWindowProcA keeps it from starting. The desktop here cannot ask, so
// the host asks when a window becomes active and, when the window refuses, holds the desktop's
// screen-saver inhibition (xdg-screensaver) until the window is no longer active.
// GUI thread only.
#pragma once

#include "host/user32.h"

namespace host::user32 {

// Called when activation moves to `hwnd` (nullptr: to no window of ours).
void screen_saver_follow_activation(HWND hwnd);

// DefWindowProcA saw SC_SCREENSAVE for the window: the window lets the screen saver start.
void screen_saver_allowed_by(HWND hwnd);

} // namespace host::user32
