// The GUI thread: where the QApplication lives, windows exist and message loops run.
#pragma once

#include <chrono>
#include <functional>

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

// How a wait of wait_for_device ended.
enum class DeviceWait { finished, broken, timed_out };

// Waits on the GUI thread for a device carrying out an MCI command with "wait", as Windows' MCI
// waits: the caller is blocked, yet windows repaint when exposed and devices go on presenting
// pictures (their queued calls and timers run), while nothing reaches the program: input for
// its windows stays queued for its message loop after the wait, a window system's close request
// becomes a queued WM_SYSCOMMAND, and input for other widgets is dropped. The break key (a
// virtual key; VK_CANCEL is CTRL+BREAK, 0 none) ends the wait early and is consumed.
// `finished` is asked after every round of events (at least every few milliseconds); a `limit`
// of zero waits without one.
DeviceWait wait_for_device(std::function<bool()> const& finished, unsigned break_key,
                           std::chrono::milliseconds limit = std::chrono::milliseconds(0));

// Milliseconds since the host started, for MSG.time and timer procedures.
unsigned long tick_count();

} // namespace host::user32
