// The player's command line: /d (also -d, /D, -D) offers other MCI video devices; /? (also -?)
// shows the usage box and ends the program. Everything else is ignored; there is no file name.
#pragma once

#include <span>
#include <string>

namespace player {

struct CommandLineOptions {
    bool use_other_devices = false;
    bool show_usage = false; // the arguments after /? were not looked at
};

// Reads the arguments after the program name, left to right.
CommandLineOptions read_command_line(std::span<std::string const> arguments);

inline constexpr char usage_caption[] = "Help Msg";
inline constexpr char usage_text[] =
    "Usage: REELP [option]\noption:\n\t/d\tAlso using other device\n\t/?\tThis help message";

// The usage box: no owner, a question-mark icon.
void show_usage_box();

} // namespace player
