// Commands to a device type or file that is not open: the device is opened for the command and
// closed again when it has finished. A "play" without "wait" keeps its device open under the
// implicit alias (the file or type name) until it is closed by name or by "close all"; Windows
// closes it at the end of playback.

#include "AliasTable.h"
#include "Dispatcher.h"

namespace host::mci {

namespace {

// Commands that make sense on a device that exists only for their duration.
constexpr std::string_view auto_open_verbs[] = {"status", "capability", "info", "where", "play"};

std::string quoted(std::string_view text) {
    std::string result = "\"";
    for (char c : text)
        result += c == '"' ? std::string("\"\"") : std::string(1, c);
    return result + "\"";
}

bool flag_present(std::span<const Token> arguments, std::string_view flag) {
    for (const Token& token : arguments)
        if (token_is(token, flag))
            return true;
    return false;
}

} // namespace

Outcome auto_open(Command& command, std::span<const Token> arguments) {
    if (command.verb == "close" || command.verb == "break" || !names_device_or_file(command.device))
        return {MCIERR_INVALID_DEVICE_NAME};
    if (flag_present(arguments, "notify"))
        return {MCIERR_NOTIFY_ON_AUTO_OPEN};
    bool allowed = false;
    for (std::string_view verb : auto_open_verbs)
        allowed = allowed || verb == command.verb;
    if (!allowed)
        return {is_standard_verb(command.verb) ? MCIERR_ILLEGAL_FOR_AUTO_OPEN : MCIERR_UNRECOGNIZED_COMMAND};

    Outcome opened = dispatch("open " + quoted(command.device), nullptr);
    if (opened.error)
        return opened;
    std::shared_ptr<OpenDevice> entry = AliasTable::instance().find(MCIDEVICEID(opened.reply.integer));
    if (!entry)
        return {MCIERR_INTERNAL};
    Outcome outcome = run_on_device(entry, command, arguments);
    bool keeps_playing = command.verb == "play" && outcome.error == 0 && !flag_present(arguments, "wait");
    if (!keeps_playing)
        close_device(entry);
    return outcome;
}

} // namespace host::mci
