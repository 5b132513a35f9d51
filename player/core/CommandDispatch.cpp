#include "core/CommandDispatch.h"

#include "core/ExitPath.h"
#include "core/HelpWindow.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

#include <array>

namespace player {

namespace {

struct CommandEntry {
    WORD id;
    bool open_only; // skipped while no medium is open
    void (*action)();
};

// ESC ends the player, unless a series capture or cut runs: then it only breaks that.
void exit_or_break() {
    if (state.idle)
        request_exit();
    else
        state.idle = true;
}

// The commands built so far; the transport, open, capture and information commands join as
// their operations arrive.
constexpr std::array<CommandEntry, 2> commands{{
    {507, false, exit_or_break},    // ESCAPE, "&Exit"
    {515, false, show_help_window}, // F1, "&About Reelix"
}};

struct ButtonEntry {
    int id;
    bool open_only;
    void (*action)();
};

constexpr std::array<ButtonEntry, 2> buttons{{
    {1011, false, show_help_window}, {1012, false, request_exit}, // unlike ESC, without looking at `idle`
}};

void run_button(int id) {
    for (ButtonEntry const& button : buttons)
        if (button.id == id && (!button.open_only || state.media_open))
            button.action();
}

} // namespace

void dispatch_command(WORD id) {
    for (CommandEntry const& command : commands) {
        if (command.id != id)
            continue;
        if (!command.open_only || state.media_open)
            command.action();
        return;
    }
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

// Not yet built: the sliders and click-to-play on the panel.
void handle_panel_mouse(UINT, WPARAM, LPARAM) {}

} // namespace player
