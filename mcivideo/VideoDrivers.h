// The system MCI drivers the host serves with its own video device, and how each one presents
// itself: product name, device type and the time format a new device starts in.
#pragma once

#include "host/winmm.h"

#include <span>
#include <string_view>

namespace mcivideo {

struct VideoDriver {
    std::string_view driver_file; // as SYSTEM.INI [mci] names it
    std::string_view product;     // "info ... product" (at most 31 characters, as on Windows)
    UINT device_type;             // MCI_DEVTYPE_*
    UINT default_time_format;     // MCI_FORMAT_*
};

// One row per driver file; several files may stand for the same device.
std::span<const VideoDriver> video_drivers();

} // namespace mcivideo
