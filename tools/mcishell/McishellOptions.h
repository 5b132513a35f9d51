// Command line of mcishell.
#pragma once

#include <string>
#include <vector>

struct McishellOptions {
    bool show = false;           // show the devices' video windows on the desktop
    bool print_messages = false; // print MM_MCINOTIFY and MM_MCISIGNAL on standard error
    bool help = false;
    std::vector<std::string> commands; // command strings given as arguments
    std::string error;                 // a usage error, empty when the line was understood
};

McishellOptions parse_options(int argc, char** argv);

extern const char* const mcishell_usage;
