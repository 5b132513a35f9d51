// The desktop's top-level windows, other programs' included, as the X server and the desktop's
// window-manager conventions show them (ICCCM, and EWMH where a window manager supports it).
// Only when Qt runs on X (the xcb platform): on headless platforms (offscreen, minimal) and on
// Wayland the desktop shows no windows.
//
// Reading: stacking order from the window manager's _NET_CLIENT_LIST_STACKING, or from the
// root's children without one; titles from _NET_WM_NAME, else WM_NAME; the process from
// _NET_WM_PID (on this machine only); minimised is WM_STATE Iconic or _NET_WM_STATE_HIDDEN.
// Acting: through the window manager where there is one (_NET_ACTIVE_WINDOW, _NET_WM_STATE
// requests, ICCCM mapping and iconify requests); on a bare X server directly (map, raise, focus),
// keeping WM_STATE as a window manager would.
//
// Uses its own connection to the display Qt shows on. GUI thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host::user32::x11 {

using WindowId = unsigned long;

// True when Qt runs on X and the display could be opened.
bool available();

// The top-level windows in stacking order, top first: the client windows a window manager
// manages, then the windows it does not (withdrawn ones never mapped or hidden, override-redirect
// ones); without a window manager the root's children.
std::vector<WindowId> top_level_windows();

struct WindowState {
    bool viewable = false;          // mapped and all its ancestors mapped
    bool iconic = false;            // minimised
    bool maximized = false;         // both _NET_WM_STATE_MAXIMIZED states
    bool override_redirect = false; // menus, tooltips: windows no window manager manages
};
// Nothing for a window that no longer exists.
std::optional<WindowState> window_state(WindowId window);

// UTF-8; empty for an untitled window.
std::string title(WindowId window);
// The class of WM_CLASS (its second string).
std::string class_name(WindowId window);
// Sets _NET_WM_NAME and WM_NAME; false when the window is gone.
bool set_title(WindowId window, std::string const& utf8);
// _NET_WM_PID of a window of this machine; 0 when unknown.
unsigned long process_of(WindowId window);

// False when the window is gone.
bool restore(WindowId window);
bool minimize(WindowId window);
bool withdraw(WindowId window);
bool show(WindowId window, bool activate, bool maximize);
// Raises and activates.
bool bring_to_top(WindowId window);

// For tests that look at what the window manager says: true when one runs on the display.
bool window_manager_running();

} // namespace host::user32::x11
