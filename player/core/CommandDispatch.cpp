#include "core/CommandDispatch.h"

#include "core/CommandTable.h"
#include "core/DeviceHandling.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

namespace player {

namespace {

bool may_run(bool needs_open_medium) {
    return !needs_open_medium || state.media_open;
}

// A panel button runs its command's action, or its own when it has no command; button 1007 has
// neither and only shows its pressed image.
void run_button(int control_id) {
    if (Command const* command = find_button_command(control_id)) {
        if (command->action && may_run(command->needs_open_medium || command->button_needs_open_medium))
            command->action(command->argument);
        return;
    }
    for (ButtonAction const& button : buttons_without_command())
        if (button.panel_button == control_id && may_run(button.needs_open_medium))
            button.action();
}

} // namespace

void dispatch_command(WORD id) {
    for (int i = 0; i < state.other_device_count; ++i) {
        if (id == other_device_menu_base + static_cast<UINT>(i)) {
            select_other_device(i);
            return;
        }
    }
    Command const* command = find_command(id);
    if (command && command->action && may_run(command->needs_open_medium))
        command->action(command->argument + (id - command->id));
}

LRESULT handle_draw_item(DRAWITEMSTRUCT const& item) {
    if (item.itemAction == ODA_DRAWENTIRE) {
        draw_panel_button(item, false);
        return 1;
    }
    if (item.itemAction == ODA_SELECT) {
        // Exactly "focused, not selected" is what a release leaves; anything else is a press.
        const bool released = item.itemState == ODS_FOCUS;
        draw_panel_button(item, !released);
        if (released)
            run_button(static_cast<int>(item.CtlID));
        return 1;
    }
    return item.itemAction == ODA_FOCUS ? 1 : 0;
}

} // namespace player
