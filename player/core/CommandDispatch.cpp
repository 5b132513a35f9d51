#include "core/CommandDispatch.h"

#include "core/DeviceHandling.h"
#include "core/ExitPath.h"
#include "core/HelpWindow.h"
#include "core/Menus.h"
#include "core/PanelPainter.h"
#include "core/PlayList.h"
#include "core/Player.h"
#include "ops/OpenMedia.h"
#include "ops/Transport.h"

#include <array>
#include <optional>

namespace player {

namespace {

// ESC ends the player, unless a series capture or cut runs: then it only breaks that.
void exit_or_break() {
    if (state.idle)
        request_exit();
    else
        state.idle = true;
}

// A command bound to a run of ids: the action gets first_argument + (id - first_id).
struct CommandEntry {
    WORD first_id;
    WORD last_id;
    bool open_only; // skipped while no medium is open
    void (*action)(int);
    int first_argument;
};

template <void (*Operation)()> void without_argument(int) {
    Operation();
}

template <void (*Operation)()> constexpr CommandEntry command(WORD id, bool open_only) {
    return {id, id, open_only, without_argument<Operation>, 0};
}

// The commands of the keys and the menu, by id. The capture, cut and information commands
// (521, 522, 528, 529, 530, 549, 552, 553, 561, 564) join when their operations exist.
// clang-format off
constexpr std::array<CommandEntry, 26> commands{{
    command<show_main_menu>      (502, false), // Ctrl+D       "open main device menu"
    command<play>                (503, true),  // DOWN, Ctrl+P "play (or ^p)"
    command<toggle_pause>        (505, true),  // PAUSE        "pause or resume toggle"
    command<open_files_for_play> (506, false), // Ctrl+O       "open file for play"
    command<exit_or_break>       (507, false), // ESCAPE       "exit this player"
    command<seek_forward>        (508, true),  // PgDn         "forward seek i sec"
    command<seek_back>           (509, true),  // PgUp         "backward seek i sec"
    command<slow_play>           (510, true),  // LEFT         "slow play"
    command<fast_play>           (511, true),  // RIGHT        "fast play"
    command<step_forward>        (512, true),  // UP           "step play"
    command<show_help_window>    (515, false), // F1           "&About Reelix"
    command<seek_end>            (516, true),  // END          "go to end, and play"
    command<seek_start_and_play> (517, true),  // HOME         "go to start, and play"
    command<next_item>           (523, true),  // DELETE       "go to next file(or track)"
    command<previous_item>       (524, true),  // INSERT       "go to last file(or track)"
    command<configure_device>    (525, true),  //              "&Configure ..."
    command<toggle_play>         (526, true),  // SPACE        "play, or stop playing toggle"
    {533, 541, false, set_time_step, 1},       // Alt+1..9     "time step in sec"
    {542, 542, false, set_time_step, 0},       // Alt+0        25 s
    command<toggle_full_size>    (543, false), // F4           "normal or full size toggle"
    command<toggle_fast_view>    (550, false), // F3           "fast view toggle"
    command<audio_control>       (551, false), // TAB          "audio control"
    command<volume_up>           (556, false), // keypad +     "volume +"
    command<volume_down>         (557, false), // keypad -     "volume -"
    command<play_video_cd>       (558, false), // Ctrl+V       "play VCD"
    {1301, 1309, false, seek_tenth, 1},        // Ctrl+1..9    "seek to i/10 of total time"
}};
// clang-format on

std::optional<CommandEntry> find_command(WORD id) {
    for (CommandEntry const& entry : commands)
        if (id >= entry.first_id && id <= entry.last_id)
            return entry;
    return std::nullopt;
}

void run(CommandEntry const& entry, WORD id) {
    if (!entry.open_only || state.media_open)
        entry.action(entry.first_argument + (id - entry.first_id));
}

// The panel buttons' actions, by control id. 1007 has none: it shows its pressed image only.
struct ButtonEntry {
    int id;
    bool open_only;
    void (*action)();
};

// clang-format off
constexpr std::array<ButtonEntry, 11> buttons{{
    {1000, true,  previous_item},    // "go to last file(or track)"
    {1001, true,  play},             // "play (or ^p)"
    {1002, true,  toggle_pause},     // "pause or resume toggle"
    {1003, true,  stop_if_playing},  // stop, only when playing
    {1004, true,  next_item},        // "go to next file(or track)"
    {1005, true,  seek_back},        // "backward seek i sec"
    {1006, true,  seek_forward},     // "forward seek i sec"
    {1010, true,  toggle_full_size}, // "normal or full size toggle", unlike F4 only with a medium
    {1011, false, show_help_window},
    {1012, false, request_exit},     // unlike ESC, without looking at `idle`
    {1013, false, show_main_menu},   // "open main device menu"
}};
// clang-format on
// 1008 (capture picture) and 1009 (8-second cut) join with the capture and cut operations.

void run_button(int id) {
    for (ButtonEntry const& button : buttons)
        if (button.id == id && (!button.open_only || state.media_open))
            button.action();
}

} // namespace

bool is_known_command(WORD id) {
    return find_command(id).has_value();
}

bool needs_open_medium(WORD id) {
    const auto entry = find_command(id);
    return entry && entry->open_only;
}

void dispatch_command(WORD id) {
    for (int i = 0; i < state.other_device_count; ++i) {
        if (id == other_device_menu_base + static_cast<UINT>(i)) {
            select_other_device(i);
            return;
        }
    }
    if (const auto entry = find_command(id))
        run(*entry, id);
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
