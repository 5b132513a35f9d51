// The three modules of the driver package (cdaudio.dll, cdvideo.dll, cddisp.dll), loaded from the
// folder the driver itself was loaded from. Loaded once and kept for the life of the process; a
// package missing a module is looked at again at the next open.
#pragma once

#include "drivers/cdmodules.h"

#include <cstdint>

namespace cddriver {

struct PackageModules {
    CdAudioPlanFunction audio_plan = nullptr;
    CdVideoPlanFunction video_plan = nullptr;
    CdVideoNameFunction display_driver_file = nullptr;
    CdDisplayPathFunction display_path = nullptr;
};

// The modules, or null with the MCI error of the open: DEVICE_NOT_INSTALLED when a module is
// missing (the package is not fully installed), CANNOT_LOAD_DRIVER when one cannot be loaded or
// lacks its functions.
const PackageModules* package_modules(std::uint32_t& error);

} // namespace cddriver
