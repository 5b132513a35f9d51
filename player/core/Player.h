// The player's process-wide objects: the state record and the handles of its windows and
// resources. Like PlayerState itself they are plain globals of the GUI thread; every routine of
// the player core and of the operations reads and writes them directly.
#pragma once

#include "core/PlayerState.h"

#include "host/user32.h"

namespace player {

extern PlayerState state;

// Window-system objects the start-up creates and the exit path releases.
struct PlayerWindows {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;    // from create_main_window until shutdown_player
    HWND help_window = nullptr;    // while the help window is shown
    HACCEL accelerators = nullptr; // "MPEGACCE", used by both message loops
    HMENU main_menu = nullptr;     // the pop-up menu of the panel
    HMENU device_menu = nullptr;   // its "other device" submenu
};

extern PlayerWindows windows;

// Window class names and the main window's title.
inline constexpr char main_class_name[] = "CMDLG";
inline constexpr char help_class_name[] = "MYCMDLG";
inline constexpr char main_window_title[] = "Reelix Example";
inline constexpr char banner_text[] = "REELIX V1.64 1998";

} // namespace player
