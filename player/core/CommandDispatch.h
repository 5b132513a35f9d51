// Where keys, menu choices and panel buttons end: one table of commands (WM_COMMAND ids) and one
// of panel-button actions that the dispatch walks. The mouse on the panel is PanelInput.h.
// GUI thread only.
#pragma once

#include "core/PanelInput.h"

#include "host/user32.h"

namespace player {

// WM_COMMAND: an "other device" submenu id selects that device; otherwise the command with this
// id runs. Unknown ids do nothing, and a command that needs a medium is skipped while none is open.
void dispatch_command(WORD id);

// WM_DRAWITEM of a panel button: draws its image and runs its action on release (also when the
// pointer slid off the held button). Returns 1 when the notification was handled.
LRESULT handle_draw_item(DRAWITEMSTRUCT const& item);

// Whether dispatch_command knows the id, and whether it needs an open medium; for tests and for
// whoever lists the commands.
bool is_known_command(WORD id);
bool needs_open_medium(WORD id);

} // namespace player
