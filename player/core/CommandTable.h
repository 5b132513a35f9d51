// The player's commands as one table: for every WM_COMMAND id its name, whether it needs an open
// medium, its action, its pop-up menu text, its key-help key and phrase, and the panel button
// that runs it. The dispatch, the pop-up menu, the key help and the panel buttons all read it;
// the keys are bound to the ids by the accelerator table "MPEGACCE" (resources/MPEGACCE.accel).
// GUI thread only.
#pragma once

#include "host/win_types.h"

#include <span>

namespace player {

// Command ids the code names.
constexpr UINT open_menu_id = 506;
constexpr UINT exit_menu_id = 507;
constexpr UINT about_menu_id = 515;
constexpr UINT configure_menu_id = 525;
constexpr UINT video_cd_menu_id = 558;
constexpr UINT speed_test_menu_id = 561;
constexpr UINT mpeg_info_menu_id = 564;
// Entry i of the "other device" submenu carries the command other_device_menu_base + i; those
// ids are not in the table, the dispatch tests them first.
constexpr UINT other_device_menu_base = 700;

// The panel button of "open main device menu"; the menu opens at its right edge.
constexpr int main_menu_button = 1013;

// One row of the table: one command id, or a run of ids (Alt+1..9, Ctrl+1..9) whose action takes
// `argument` for the first id and one more for each next one.
struct Command {
    WORD id = 0;
    WORD last_id = 0; // the last id of a run; 0 for a single id
    char const* name = nullptr;
    bool needs_open_medium = false;         // skipped while no medium is open
    void (*action)(int argument) = nullptr; // null: the operation is not built yet, the id does nothing
    int argument = 0;
    char const* menu_text = nullptr;       // the pop-up menu entry's text at creation; null: no entry
    char const* later_menu_text = nullptr; // its text once a medium was opened; null: menu_text
    char const* help_key = nullptr;        // the key column of the key help; null: not in the key help
    char const* phrase = nullptr;          // the phrase column of the key help
    int panel_button = 0;                  // control id of the panel button that runs it; 0: none
    bool button_needs_open_medium = false; // the button acts only with a medium open, the key always

    WORD last() const { return last_id ? last_id : id; }
    bool covers(WORD command) const { return command >= id && command <= last(); }
    // The entry's text when an operation changes it: the later text, else the text at creation.
    char const* changed_menu_text() const { return later_menu_text ? later_menu_text : menu_text; }
};

// A panel button that runs no command of the table.
struct ButtonAction {
    int panel_button;
    bool needs_open_medium;
    void (*action)();
};

// All rows, in the order of the key help: the rows with a phrase give its lines in table order.
std::span<Command const> command_table();

// The row of a command id, or null when no row covers it.
Command const* find_command(WORD id);

// The row whose panel button is `control_id`, or null.
Command const* find_button_command(int control_id);

// The panel buttons that act without a command (the stop button and the exit button).
std::span<ButtonAction const> buttons_without_command();

} // namespace player
