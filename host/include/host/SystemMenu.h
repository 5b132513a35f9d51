// The system menu of a top-level window (the menu Alt+Space and the caption icon open): its items
// in the Windows 95 order and texts, which of them a window in a given state offers, and showing
// it. One table for every window that has one: the host's windows and the form framework's.
#pragma once

#include "host/user32.h"

#include <array>

class QWidget;

namespace host {

struct SystemMenuItem {
    WPARAM command; // WM_SYSCOMMAND value; 0 for a separator
    char const* text;
};

inline constexpr std::array<SystemMenuItem, 7> system_menu_items{{
    {SC_RESTORE, "&Restore"},
    {SC_MOVE, "&Move"},
    {SC_SIZE, "&Size"},
    {SC_MINIMIZE, "Mi&nimize"},
    {SC_MAXIMIZE, "Ma&ximize"},
    {0, ""},
    {SC_CLOSE, "&Close\tAlt+F4"},
}};

// What a window is and can do, as far as its system menu cares.
struct SystemMenuWindow {
    bool minimized = false;
    bool maximized = false;
    bool sizeable = false;     // a sizing border
    bool can_minimize = false; // a minimise box
    bool can_maximize = false; // a maximise box
};

// Windows' rules: Restore for a minimised or maximised window, Move unless maximised, Size for a
// sizeable window in its normal state, Minimize and Maximize where the box exists and the window
// is not already so, Close always.
bool system_menu_item_enabled(WPARAM command, SystemMenuWindow const& window);

// Shows the system menu at screen point `at` for `window` (a top-level widget) and returns the
// chosen command, 0 when dismissed. A test's pop-up menu responder answers instead, when one is
// installed; `owner` is the host window it names (nullptr for a window the host did not make).
WPARAM track_system_menu(QWidget* window, HWND owner, POINT at, SystemMenuWindow const& state);

} // namespace host
