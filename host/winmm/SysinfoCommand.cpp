// "sysinfo": answered by the MCI layer itself from the [mci] entries and the open devices.

#include "AliasTable.h"
#include "host/mci/CommandTables.h"
#include "DeviceRegistry.h"
#include "Dispatcher.h"
#include "Parser.h"

namespace host::mci {

namespace {

// The MCI_DEVTYPE_* of a standard device type name ("digitalvideo"), or 0.
UINT standard_type(std::string_view name) {
    std::string lower = to_lower(name);
    for (UINT type = MCI_DEVTYPE_VCR; type <= MCI_DEVTYPE_SEQUENCER; ++type)
        if (device_type_word(type) == lower)
            return type;
    return 0;
}

// Names of installed types (type 0: all of them) or aliases of open devices, in order.
std::vector<std::string> listed_names(UINT type, bool open) {
    std::vector<std::string> names;
    if (open) {
        for (const std::shared_ptr<OpenDevice>& entry : AliasTable::instance().open_devices())
            if (type == 0 || entry->device->device_type() == type)
                names.push_back(entry->alias);
        return names;
    }
    for (MciEntry& entry : mci_entries())
        if (type == 0 || device_type_of(entry) == type)
            names.push_back(std::move(entry.name));
    return names;
}

Outcome install_name(const Command& command) {
    if (to_lower(command.device) == "all")
        return {MCIERR_CANNOT_USE_ALL};
    std::shared_ptr<OpenDevice> entry = AliasTable::instance().find(command.device);
    if (!entry)
        return {MCIERR_INVALID_DEVICE_NAME};
    return {0, Reply::string(entry->type_name)};
}

} // namespace

Outcome system_info(Command& command, std::span<const Token> arguments) {
    const CommandTable* core[] = {&tables::core};
    if (MCIERROR error = parse_arguments(find_verb(core, "sysinfo"), arguments, command))
        return {error};
    if (command.has("installname"))
        return install_name(command);
    bool all = to_lower(command.device) == "all";
    UINT type = all ? 0 : standard_type(command.device);
    if (!all && type == 0)
        return {MCIERR_DEVICE_TYPE_REQUIRED};
    if (!command.has("quantity") && !command.has("name"))
        return {MCIERR_MISSING_PARAMETER};
    if (command.test())
        return {};
    std::vector<std::string> names = listed_names(type, command.has("open"));
    if (command.has("quantity"))
        return {0, Reply::number(static_cast<std::int64_t>(names.size()))};
    std::int64_t index = command.integer("name");
    if (index < 1 || index > static_cast<std::int64_t>(names.size()))
        return {MCIERR_OUTOFRANGE};
    return {0, Reply::string(names[static_cast<std::size_t>(index - 1)])};
}

} // namespace host::mci
