// The GUI thread: where the QApplication lives, windows exist and message loops run.
#pragma once

namespace host::user32 {

// Creates the QApplication when there is none; false when another kind of Qt application exists
// (windows cannot be made without QApplication). Installs the MCI message poster the first time.
bool ensure_application();

// True on the thread of the QApplication (or when there is none yet, on the calling thread,
// which becomes the GUI thread with ensure_application).
bool on_gui_thread();

// Runs a function on the GUI thread and waits for it (directly when already on it).
void run_on_gui_thread(void (*function)(void*), void* context);

// False on the headless platforms (offscreen, minimal), which cannot raise windows or grab the
// mouse and say so on every try.
bool has_window_system();

// Milliseconds since the host started, for MSG.time and timer procedures.
unsigned long tick_count();

} // namespace host::user32
