// Device handling: choosing the MCI device type for a file, opening it under the alias
// with the fall-back chain, the set-up after every successful open, and the other MCI video
// devices offered after /d. GUI thread only.
//
// Related routines declared elsewhere: player_tick (core/PlayerTick.h) and
// enumerate_other_devices (core/CreationSteps.h).
#pragma once

#include "host/win_types.h"
#include "host/winmm.h"

#include <cstdint>

namespace player {

// The forms of an open command, from the fullest to the plainest: "open <device> alias <alias>"
// followed by "parent <main window> style popup wait", "style popup wait", "wait" or nothing.
enum class OpenForm { with_parent, popup, wait, plain };

// Sends the open command for `device` (an element and its type, or a device name) in `form`.
// Returns the MCI error code.
MCIERROR send_open(char const* device, OpenForm form);

// The MCI device type for an upper-cased path: ".AVI", ".MOV", ".FLI", ".FLC" found anywhere
// in the path, in that order, else the current device_type.
char const* device_type_for(char const* upper_path);

// Opens one file: closes the alias, upper-cases `path` in place (at most path_size - 1
// characters are kept in current_path), tries the four open commands, and on success builds
// status_text, enables the configure entry and runs setup_medium. When every open fails it shows
// "Error: open %s device with %s" and beeps; nothing else changes. Returns true when opened.
bool open_file(char* path);

// status_text for a path: a space, the path's last 13 characters, and from column 15 on the
// item indicator " %2.2d/%2.2d" (item_index, item_count); upper-cased.
void build_status_text(char const* path);

// The set-up after every successful open: stream properties, millisecond time format, length
// (0 or less becomes 4440000), the video window and its placement (with play and volume when
// there is a picture; a panel-only window otherwise), and the position signal request.
void setup_medium();

// "signal return position every 1000" with the main window as callback window.
void request_position_signal();

// The command of the "other device" submenu entry 700 + index: opens through open_media with
// that device's name as device_type and its compound flag as file_mode.
void select_other_device(int index);

} // namespace player
