// The player's command line: /d (also -d, /D, -D) offers other MCI video devices; /? (also -?)
// shows the usage box and ends the program. Every other argument that is not a switch names a
// file to play; "--" ends the switches. Unknown switches are ignored.
//
// Arguments come from Linux (a desktop entry passes the files a user opened with the player), so
// a file is a Linux path, absolute or relative to the current folder, or a DOS path ("C:\X.MPG").
// Linux absolute paths start with '/' like switches: an argument is a switch only when its '/' is
// its only one ("/d", "/?"); a file in the root folder is named "//CLIP.MPG" or after "--".
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace player {

struct CommandLineOptions {
    bool use_other_devices = false;
    bool show_usage = false;        // the arguments after /? were not looked at
    std::vector<std::string> files; // the file arguments, in order, as given
};

// Reads the arguments after the program name, left to right.
CommandLineOptions read_command_line(std::span<std::string const> arguments);

inline constexpr char usage_caption[] = "Help Msg";
inline constexpr char usage_text[] =
    "Usage: REELP [option]\noption:\n\t/d\tAlso using other device\n\t/?\tThis help message";

// The usage box: no owner, a question-mark icon.
void show_usage_box();

// The DOS paths of file arguments, as short names without spaces, ready for the play list. A
// Linux path is reached through the prefix drive that holds it, the deepest one (C: for a file
// under drive_c, Z: for the rest of the Linux file system); a DOS path is taken as it names a
// file. When the files would land on different drives, all of them are reached through the drive
// of the Linux root folder, so that they share one folder as a dialog's selection does.
// An argument that names no file, or a file no drive reaches, is left out and kept as given.
struct DosFiles {
    std::vector<std::string> paths;
    std::vector<std::string> left_out;
};
DosFiles dos_paths_of_files(std::span<std::string const> files);

} // namespace player
