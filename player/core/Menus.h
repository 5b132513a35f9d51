// The main pop-up menu of the panel and its "other device" submenu: their entries as data, the
// building at the main window's creation, and show_main_menu. Entry changes after that go through
// set_menu_entry (core/DeviceHandling.h). GUI thread only.
#pragma once

#include "host/user32.h"

namespace player {

// Command ids of the menu entries.
constexpr UINT open_menu_id = 506;
constexpr UINT video_cd_menu_id = 558;
constexpr UINT speed_test_menu_id = 561;
constexpr UINT about_menu_id = 515;
constexpr UINT exit_menu_id = 507;
// Submenu entry i carries the command other_device_menu_base + i.
constexpr UINT other_device_menu_base = 700;

// The label of the submenu item; the "Ctrl+U" in it is text only, no key is bound to it.
inline constexpr char other_device_menu_text[] = "&Use Other Device\tCtrl+U";

// "open main device menu" (Ctrl+D, panel button 1013): stops play, then opens the menu at the
// right edge of button 1013, (37, 37) of the client area. The choice comes back as WM_COMMAND.
void show_main_menu();

} // namespace player
