#include "Dispatcher.h"

#include "AliasTable.h"
#include "host/mci/CommandTables.h"
#include "Parser.h"

namespace host::mci {

namespace {

bool is_general_flag(const Token& token) {
    return token_is(token, "wait") || token_is(token, "notify") || token_is(token, "test");
}

MCIERROR with_device_id(MCIERROR error, MCIDEVICEID id) {
    return error >= MCIERR_CUSTOM_DRIVER_BASE ? (error & 0xFFFF) | (id << 16) : error;
}

// "break": the key that ends this device's waits, kept by the host for every kind of device.
MCIERROR set_break_key(OpenDevice& entry, const Command& command) {
    if (!command.has("on") && !command.has("off"))
        return MCIERR_MISSING_PARAMETER;
    if (!command.test())
        entry.break_key = command.has("on") ? static_cast<unsigned>(command.integer("on")) : 0;
    return 0;
}

Outcome run(const std::shared_ptr<OpenDevice>& entry, Command& command, std::span<const Token> arguments) {
    std::vector<const CommandTable*> tables = tables_for(*entry->device);
    VerbGrammar grammar = find_verb(tables, command.verb);
    if (!grammar)
        return {MCIERR_UNRECOGNIZED_COMMAND};
    if (MCIERROR error = parse_arguments(grammar, arguments, command))
        return {error};
    command.device_id = entry->id;
    if (command.verb == "close") {
        if (command.test())
            return {MCIERR_UNRECOGNIZED_KEYWORD};
        if (!close_device(entry))
            return {MCIERR_INVALID_DEVICE_NAME};
        if (command.notify())
            Notification(command.callback, entry->id).finish(MCI_NOTIFY_SUCCESSFUL);
        return {};
    }
    if (command.notify())
        command.notification = std::make_shared<Notification>(command.callback, entry->id);
    Outcome outcome;
    command.break_key = entry->break_key;
    ++entry->commands_running;
    outcome.error = command.verb == "break" ? set_break_key(*entry, command)
                                            : entry->device->execute(command, outcome.reply);
    if (--entry->commands_running == 0 && entry->close_pending) {
        entry->close_pending = false;
        entry->device->close();
    }
    if (command.notification && !command.notification_deferred) {
        if (outcome.error == 0)
            command.notification->finish(MCI_NOTIFY_SUCCESSFUL);
        else
            command.notification->release(); // a command that fails is reported, not notified
    }
    outcome.error = with_device_id(outcome.error, entry->id);
    if (outcome.error)
        outcome.reply = {};
    return outcome;
}

// A command to "all": sent to every open device; one failure is returned as it is, several
// as MCIERR_MULTIPLE.
Outcome run_for_all(const Command& command, std::span<const Token> arguments) {
    const CommandTable* standard[] = {&tables::digital_video, &tables::core};
    VerbGrammar grammar = find_verb(standard, command.verb);
    if (!grammar)
        return {MCIERR_UNRECOGNIZED_COMMAND};
    if (!grammar.allows_all())
        return {MCIERR_CANNOT_USE_ALL};
    Outcome result;
    int failures = 0;
    for (const std::shared_ptr<OpenDevice>& entry : AliasTable::instance().open_devices()) {
        Command each = command;
        each.device = entry->alias;
        Outcome outcome = run(entry, each, arguments);
        if (outcome.error) {
            result.error = ++failures > 1 ? MCIERR_MULTIPLE : outcome.error;
        }
    }
    return result;
}

} // namespace

bool close_device(const std::shared_ptr<OpenDevice>& entry) {
    std::shared_ptr<OpenDevice> removed = AliasTable::instance().remove(entry->id);
    if (!removed)
        return false;
    // The alias is free at once; a device still inside a command closes when that returns.
    if (removed->commands_running > 0)
        removed->close_pending = true;
    else
        removed->device->close();
    return true;
}

Outcome run_on_device(const std::shared_ptr<OpenDevice>& entry, Command& command,
                      std::span<const Token> arguments) {
    return run(entry, command, arguments);
}

bool is_standard_verb(std::string_view verb) {
    for (const CommandTable* table :
         {&tables::core, &tables::digital_video, &tables::animation, &tables::extended_video})
        if (table->find(verb))
            return true;
    return false;
}

std::vector<const CommandTable*> tables_for(const Device& device) {
    std::vector<const CommandTable*> tables;
    if (const CommandTable* custom = device.custom_commands())
        tables.push_back(custom);
    switch (device.device_type()) {
    case MCI_DEVTYPE_ANIMATION:
        tables.push_back(&tables::animation);
        tables.push_back(&tables::digital_video);
        break;
    case MCI_DEVTYPE_DIGITAL_VIDEO:
        tables.push_back(&tables::digital_video);
        break;
    default:
        break;
    }
    tables.push_back(&tables::core);
    return tables;
}

Outcome dispatch(std::string_view text, HWND callback) {
    Tokens tokens = tokenize(text);
    if (tokens.error)
        return {tokens.error};
    if (tokens.tokens.empty())
        return {MCIERR_MISSING_COMMAND_STRING};
    Command command;
    command.text = std::string(text);
    command.verb = to_lower(tokens.tokens[0].text);
    command.callback = callback;
    if (tokens.tokens.size() < 2)
        return {is_standard_verb(command.verb) ? MCIERR_MISSING_DEVICE_NAME : MCIERR_UNRECOGNIZED_COMMAND};
    const Token& device = tokens.tokens[1];
    command.device = device.text;
    std::span<const Token> arguments = std::span(tokens.tokens).subspan(2);
    if (is_general_flag(device))
        return {MCIERR_INVALID_DEVICE_NAME};
    if (command.verb == "open")
        return open_device(command, arguments);
    if (command.verb == "sysinfo") {
        Outcome outcome = system_info(command, arguments);
        if (outcome.error == 0 && command.notify())
            Notification(callback, 0).finish(MCI_NOTIFY_SUCCESSFUL);
        return outcome;
    }
    if (token_is(device, "all"))
        return run_for_all(command, arguments);
    std::shared_ptr<OpenDevice> entry = AliasTable::instance().find(device.text);
    // As on Windows the device is looked up before the verb: an unknown name is reported even
    // for a verb only some driver knows.
    if (!entry)
        return auto_open(command, arguments);
    return run(entry, command, arguments);
}

std::optional<std::string> device_error_text(MCIERROR error) {
    std::shared_ptr<OpenDevice> entry = AliasTable::instance().find(MCIDEVICEID(error >> 16));
    if (!entry)
        return std::nullopt;
    return entry->device->error_text(error & 0xFFFF);
}

} // namespace host::mci
