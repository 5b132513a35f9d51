#include "core/CommandLine.h"

#include "host/user32_dialogs.h"

namespace player {

CommandLineOptions read_command_line(std::span<std::string const> arguments) {
    CommandLineOptions options;
    for (std::string const& argument : arguments) {
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
            continue;
        if (argument[1] == 'd' || argument[1] == 'D')
            options.use_other_devices = true;
        else if (argument[1] == '?') {
            options.show_usage = true;
            break;
        }
    }
    return options;
}

void show_usage_box() {
    MessageBoxA(nullptr, usage_text, usage_caption, MB_ICONQUESTION);
}

} // namespace player
