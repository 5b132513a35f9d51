#include "McishellOptions.h"

#include <string_view>

const char* const mcishell_usage =
    "usage: mcishell [--show] [--messages] [COMMAND...]\n"
    "Sends each MCI command string (the arguments, or else the lines of standard input) through\n"
    "mciSendStringA and prints one line per command: the result code, a tab, then the reply, or\n"
    "the error text when the code is not 0. Empty input lines are skipped. At the end every\n"
    "device still open is closed.\n"
    "  --show       show the devices' video windows on the desktop\n"
    "  --messages   print the MM_MCINOTIFY and MM_MCISIGNAL messages the callback window\n"
    "               receives on standard error (message, wParam, lParam)\n";

McishellOptions parse_options(int argc, char** argv) {
    McishellOptions options;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (!options_ended && argument == "--")
            options_ended = true;
        else if (!options_ended && argument == "--show")
            options.show = true;
        else if (!options_ended && argument == "--messages")
            options.print_messages = true;
        else if (!options_ended && (argument == "--help" || argument == "-h"))
            options.help = true;
        else if (!options_ended && argument.size() > 1 && argument.substr(0, 2) == "--")
            options.error = "unknown option " + std::string(argument);
        else
            options.commands.emplace_back(argument);
    }
    return options;
}
