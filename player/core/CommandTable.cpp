#include "core/CommandTable.h"

#include "core/ExitPath.h"
#include "core/HelpWindow.h"
#include "core/Menus.h"
#include "core/PlayList.h"
#include "ops/Capture.h"
#include "ops/Diagnostics.h"
#include "ops/OpenMedia.h"
#include "ops/Transport.h"

#include <algorithm>
#include <iterator>

namespace player {

namespace {

template <void (*Operation)()> void without_argument(int) {
    Operation();
}

// The rows stand in the order of the key help: its two pages list the rows that have a phrase,
// sixteen to a page.
// clang-format off
constexpr Command commands[] = {
    // Page 1 of the key help.
    {.id = 529, .name = "capture_picture", .needs_open_medium = true,
     .action = without_argument<capture_picture_and_play>,
     .help_key = "F2", .phrase = "capture picture as BMP"},
    {.id = 550, .name = "toggle_fast_view", .action = without_argument<toggle_fast_view>,
     .help_key = "F3", .phrase = "fast view toggle (ALT+2, F3)"},
    // The panel button works only with a medium open; F4 also without, and then beeps at play.
    {.id = 543, .name = "toggle_full_size", .action = without_argument<toggle_full_size>,
     .help_key = "F4", .phrase = "normal or full size toggle", .panel_button = 1010,
     .button_needs_open_medium = true},
    {.id = 521, .name = "mark_begin", .needs_open_medium = true, .action = without_argument<mark_begin>,
     .help_key = "F5", .phrase = "mark the begin"},
    {.id = 552, .name = "mark_start_as_begin", .needs_open_medium = true,
     .action = without_argument<mark_start_as_begin>,
     .help_key = "F6", .phrase = "mark start as the begin"},
    {.id = 553, .name = "mark_end_as_end", .needs_open_medium = true, .action = without_argument<mark_end_as_end>,
     .help_key = "F7", .phrase = "mark end as the end"},
    {.id = 522, .name = "mark_end", .needs_open_medium = true, .action = without_argument<mark_end>,
     .help_key = "F8", .phrase = "mark the end"},
    {.id = 530, .name = "cut_eight_seconds", .needs_open_medium = true,
     .action = without_argument<cut_eight_seconds>,
     .help_key = "F9", .phrase = "got video stream(8sec) as MPG file", .panel_button = 1009},
    {.id = 528, .name = "cut_marked_range", .needs_open_medium = true,
     .action = without_argument<cut_marked_range>,
     .help_key = "F12", .phrase = "got the mark content as MPG file"},
    {.id = 526, .name = "toggle_play", .needs_open_medium = true, .action = without_argument<toggle_play>,
     .help_key = "SPACE", .phrase = "play, or stop playing toggle"},
    {.id = 517, .name = "seek_start_and_play", .needs_open_medium = true,
     .action = without_argument<seek_start_and_play>, .help_key = "HOME", .phrase = "go to start, and play"},
    {.id = 516, .name = "seek_end", .needs_open_medium = true, .action = without_argument<seek_end>,
     .help_key = "END", .phrase = "go to end, and play"},
    {.id = 524, .name = "previous_item", .needs_open_medium = true, .action = without_argument<previous_item>,
     .help_key = "INSERT", .phrase = "go to last file(or track)", .panel_button = 1000},
    {.id = 523, .name = "next_item", .needs_open_medium = true, .action = without_argument<next_item>,
     .help_key = "DELETE", .phrase = "go to next file(or track)", .panel_button = 1004},
    {.id = 512, .name = "step_forward", .needs_open_medium = true, .action = without_argument<step_forward>,
     .help_key = "UP", .phrase = "step play"},
    {.id = 511, .name = "fast_play", .needs_open_medium = true, .action = without_argument<fast_play>,
     .help_key = "RIGHT", .phrase = "fast play"},

    // Page 2 of the key help; the usage line ends it.
    {.id = 510, .name = "slow_play", .needs_open_medium = true, .action = without_argument<slow_play>,
     .help_key = "LEFT", .phrase = "slow play"},
    {.id = 503, .name = "play", .needs_open_medium = true, .action = without_argument<play>,
     .help_key = "DOWN", .phrase = "play (or ^p)", .panel_button = 1001},
    {.id = 505, .name = "toggle_pause", .needs_open_medium = true, .action = without_argument<toggle_pause>,
     .help_key = "PAUSE", .phrase = "pause or resume toggle", .panel_button = 1002},
    {.id = 508, .name = "seek_forward", .needs_open_medium = true, .action = without_argument<seek_forward>,
     .help_key = "PgDn", .phrase = "forward seek i sec(i=1,2,...9,0)", .panel_button = 1006},
    {.id = 509, .name = "seek_back", .needs_open_medium = true, .action = without_argument<seek_back>,
     .help_key = "PgUp", .phrase = "backward seek i sec(i=1,2,...9,0)", .panel_button = 1005},
    {.id = 556, .name = "volume_up", .action = without_argument<volume_up>,
     .help_key = " +", .phrase = "volume +"},
    {.id = 557, .name = "volume_down", .action = without_argument<volume_down>,
     .help_key = " -", .phrase = "volume -"},
    {.id = exit_menu_id, .name = "exit_or_break", .action = without_argument<exit_or_break>,
     .menu_text = "&Exit", .help_key = "ESCAPE", .phrase = "exit this player"},
    {.id = 551, .name = "audio_control", .action = without_argument<audio_control>,
     .help_key = "TAB", .phrase = "audio control (audio on,off,L,R)"},
    {.id = open_menu_id, .name = "open_files_for_play", .action = without_argument<open_files_for_play>,
     .menu_text = "&Open ...\tCtrl+O", .help_key = "Ctrl+O", .phrase = "open file for play"},
    {.id = video_cd_menu_id, .name = "play_video_cd", .action = without_argument<play_video_cd>,
     .menu_text = "Play &VideoCD \tCtrl+V", .help_key = "Ctrl+V", .phrase = "play VCD"},
    {.id = 502, .name = "show_main_menu", .action = without_argument<show_main_menu>,
     .help_key = "Ctrl+D", .phrase = "open main device menu", .panel_button = main_menu_button},
    {.id = 549, .name = "capture_series", .needs_open_medium = true, .action = without_argument<capture_series>,
     .help_key = "Ctrl+B", .phrase = "got pic as BMPs(i sec one file)"},
    {.id = 1301, .last_id = 1309, .name = "seek_tenth", .action = seek_tenth, .argument = 1,
     .help_key = "Ctrl+i", .phrase = "seek to i/10 of total time"},
    {.id = 533, .last_id = 541, .name = "set_time_step", .action = set_time_step, .argument = 1,
     .help_key = "Alt+i", .phrase = "time step in sec(i=1,2,...,9,0)"},

    // Not in the key help.
    {.id = 542, .name = "set_long_time_step", .action = set_time_step, .argument = 0}, // Alt+0: 25 s
    {.id = about_menu_id, .name = "show_help_window", .action = without_argument<show_help_window>,
     .menu_text = "&About Reelix", .panel_button = 1011},
    {.id = configure_menu_id, .name = "configure_device", .needs_open_medium = true,
     .action = without_argument<configure_device>, .menu_text = "&Configure Device",
     .later_menu_text = "&Configure ..."},
    {.id = speed_test_menu_id, .name = "speed_test", .needs_open_medium = true,
     .action = without_argument<speed_test>, .menu_text = "&Speed Test"},
    // The entry is grayed until the first open; the command itself needs no medium.
    {.id = mpeg_info_menu_id, .name = "show_stream_info", .action = without_argument<show_stream_info>,
     .menu_text = "&MPEG Infomation"},
};
// clang-format on

// The stop button, the picture button and the exit button run no command: the stop only while
// playing, the picture without the play of F2, and the exit without ESC's test of `idle`. Button
// 1007 does nothing.
constexpr ButtonAction button_actions[] = {
    {1003, true, stop_if_playing},
    {1008, true, capture_picture},
    {1012, false, request_exit},
};

} // namespace

std::span<Command const> command_table() {
    return commands;
}

Command const* find_command(WORD id) {
    const auto row =
        std::ranges::find_if(commands, [id](Command const& command) { return command.covers(id); });
    return row == std::end(commands) ? nullptr : &*row;
}

Command const* find_button_command(int control_id) {
    const auto row = std::ranges::find(commands, control_id, &Command::panel_button);
    return control_id == 0 || row == std::end(commands) ? nullptr : &*row;
}

std::span<ButtonAction const> buttons_without_command() {
    return button_actions;
}

} // namespace player
