// The main pop-up menu of the panel and its "other device" submenu: the order and first state of
// their entries (their texts are those of the command table, core/CommandTable.h), the building
// at the main window's creation, the later changes of an entry, and show_main_menu.
// GUI thread only.
#pragma once

#include "core/CommandTable.h"

namespace player {

// The label of the submenu item; the "Ctrl+U" in it is text only, no key is bound to it.
inline constexpr char other_device_menu_text[] = "&Use Other Device\tCtrl+U";

// Enables or grays the entry of command `id` and gives it its changed text from the command
// table; nothing while there is no menu.
void set_menu_entry(UINT id, bool enabled);

// "open main device menu" (Ctrl+D, panel button 1013): stops play, then opens the menu at the
// right edge of button 1013, (37, 37) of the client area. The choice comes back as WM_COMMAND.
void show_main_menu();

} // namespace player
