// Which device types exist and what serves them. The types are the entries of the [mci] section
// of SYSTEM.INI in the prefix's Windows directory, read afresh at every look-up (a program may
// register a driver while it runs). An entry whose driver file is one of the system's own MCI
// drivers is served by the built-in device registered for that file; any other entry names a
// driver module loaded from the Windows system folder.
#pragma once

#include "host/mci/Device.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::mci {

struct MciEntry {
    std::string name;        // the key as written ("MpegMovie")
    std::string driver_file; // first word of the value ("cddriver.drv")
    std::string parameters;  // the rest of the value
};

struct MadeDevice {
    MCIERROR error = 0;
    std::unique_ptr<Device> device;
};

// The [mci] entries in file order.
std::vector<MciEntry> mci_entries();
// The entry of a device type name, without regard to case.
std::optional<MciEntry> find_mci_entry(std::string_view type_name);
// The device type name for a file extension, from WIN.INI [mci extensions].
std::optional<std::string> type_for_extension(std::string_view extension);

// Whether the driver file is one of the system's own MCI drivers (served by built-in devices).
bool is_system_driver(std::string_view driver_file);

// A new, unopened device for an entry: DEVICE_NOT_INSTALLED when a module file is missing,
// CANNOT_LOAD_DRIVER when a module cannot be loaded or a system driver has no built-in device.
MadeDevice make_device(const MciEntry& entry);

// A new, unopened device of a system driver ("mciqtz.drv"), as make_device makes for an entry
// naming it; drivers build on it through the host's video device service.
MadeDevice make_system_device(std::string_view driver_file);

// The MCI_DEVTYPE_* of an entry's devices, or nothing when they cannot be made.
std::optional<UINT> device_type_of(const MciEntry& entry);

} // namespace host::mci
