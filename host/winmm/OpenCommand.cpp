// "open": works out the device type and element from the device token and the type, element
// and alias keywords, reserves the alias and a device id, and opens a device of that type.

#include "AliasTable.h"
#include "host/mci/CommandTables.h"
#include "DeviceRegistry.h"
#include "Dispatcher.h"
#include "Parser.h"

namespace host::mci {

namespace {

struct Target {
    MCIERROR error = 0;
    std::string type;
    std::string element;
    bool new_element = false;
};

// The extension of a file name: after the last dot of its last path component.
std::string_view extension_of(std::string_view path) {
    std::size_t component = path.find_last_of("\\/:");
    std::string_view name = component == std::string_view::npos ? path : path.substr(component + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

// The forms of open: "open TYPE", "open FILE", "open FILE type TYPE", "open TYPE!FILE",
// "open TYPE element FILE", "open new type TYPE".
Target target_of(const Command& command) {
    Target target;
    const std::string& token = command.device;
    if (command.has("element")) {
        target.element = std::string(command.string("element"));
        target.type = command.has("type") ? std::string(command.string("type")) : token;
        return target;
    }
    if (to_lower(token) == "new") {
        target.new_element = true;
        target.type = std::string(command.string("type"));
        if (!command.has("alias"))
            target.error = MCIERR_NEW_REQUIRES_ALIAS;
        else if (target.type.empty())
            target.error = MCIERR_DEVICE_TYPE_REQUIRED;
        return target;
    }
    if (command.has("type")) {
        target.type = std::string(command.string("type"));
        target.element = token;
        return target;
    }
    if (std::size_t bang = token.find('!'); bang != std::string::npos) {
        target.type = token.substr(0, bang);
        target.element = token.substr(bang + 1);
        if (target.type.empty())
            target.error = MCIERR_INVALID_DEVICE_NAME;
        return target;
    }
    if (find_mci_entry(token)) {
        target.type = token;
        return target;
    }
    std::string_view extension = extension_of(token);
    if (extension.empty()) {
        target.error = MCIERR_INVALID_DEVICE_NAME;
        return target;
    }
    std::optional<std::string> type = type_for_extension(extension);
    if (!type)
        target.error = MCIERR_EXTENSION_NOT_FOUND;
    else {
        target.type = *type;
        target.element = token;
    }
    return target;
}

} // namespace

bool names_device_or_file(std::string_view token) {
    if (token.find('!') != std::string_view::npos || find_mci_entry(token))
        return true;
    std::string_view extension = extension_of(token);
    return !extension.empty() && type_for_extension(extension).has_value();
}

Outcome open_device(Command& command, std::span<const Token> arguments) {
    if (to_lower(command.device) == "all")
        return {MCIERR_CANNOT_USE_ALL};
    const CommandTable* core[] = {&tables::core};
    if (MCIERROR error = parse_arguments(find_verb(core, "open"), arguments, command))
        return {error};
    if (command.test())
        return {MCIERR_UNRECOGNIZED_KEYWORD};
    Target target = target_of(command);
    if (target.error)
        return {target.error};
    std::optional<MciEntry> entry = find_mci_entry(target.type);
    if (!entry)
        return {MCIERR_INVALID_DEVICE_NAME};

    bool explicit_alias = command.has("alias");
    std::string alias = explicit_alias           ? std::string(command.string("alias"))
                        : target.element.empty() ? entry->name
                                                 : target.element;
    MCIDEVICEID id = AliasTable::instance().reserve(alias, entry->name);
    if (id == 0)
        return {explicit_alias ? MCIERR_DUPLICATE_ALIAS : MCIERR_DEVICE_OPEN};

    MadeDevice made = make_device(*entry);
    if (!made.device) {
        AliasTable::instance().remove(id);
        return {made.error};
    }
    command.device_id = id;
    OpenRequest request{entry->name, entry->parameters, target.element, target.new_element, alias,
                        id,          &command};
    if (MCIERROR error = made.device->open(request)) {
        AliasTable::instance().remove(id);
        return {error};
    }
    AliasTable::instance().attach(id, std::shared_ptr<Device>(std::move(made.device)));
    if (command.notify())
        Notification(command.callback, id).finish(MCI_NOTIFY_SUCCESSFUL);
    return {0, Reply::number(id), true};
}

} // namespace host::mci
