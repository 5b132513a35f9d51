// Where keys, menu choices and panel buttons end: the dispatch walks the command table
// (core/CommandTable.h). The mouse on the panel is PanelInput.h. GUI thread only.
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

} // namespace player
