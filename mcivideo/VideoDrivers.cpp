#include "VideoDrivers.h"

#include "VideoDevice.h"

#include "host/mci/Device.h"

namespace mcivideo {

namespace {

// MCIAVI counts in frames; the ActiveMovie driver (MPEGVideo) in milliseconds. The Autodesk
// animation driver is an animation device: its table adds "play fast/slow" to digital video.
constexpr VideoDriver drivers[] = {
    {"mciavi.drv", "Video for Windows", MCI_DEVTYPE_DIGITAL_VIDEO, MCI_FORMAT_FRAMES},
    {"mciqtw.drv", "QuickTime for Windows", MCI_DEVTYPE_DIGITAL_VIDEO, MCI_FORMAT_FRAMES},
    {"mcianim.drv", "Autodesk Animation Player", MCI_DEVTYPE_ANIMATION, MCI_FORMAT_FRAMES},
    {"mciaap.drv", "Autodesk Animation Player", MCI_DEVTYPE_ANIMATION, MCI_FORMAT_FRAMES},
    {"mciqtz.drv", "ActiveMovie", MCI_DEVTYPE_DIGITAL_VIDEO, MCI_FORMAT_MILLISECONDS},
};

} // namespace

std::span<const VideoDriver> video_drivers() {
    return drivers;
}

} // namespace mcivideo

// The entry the host calls after loading this library (see DeviceRegistry.cpp).
extern "C" [[gnu::visibility("default")]] void mcivideo_register_devices() {
    for (const mcivideo::VideoDriver& driver : mcivideo::video_drivers())
        host::mci::register_builtin_device(
            driver.driver_file, [&driver] { return std::make_unique<mcivideo::VideoDevice>(driver); });
}
