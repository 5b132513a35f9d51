// cddriver.drv: the MCI driver of the package, serving the device types MPEGMovie (MPEG files and
// VideoCD tracks by name) and VCDVideo (the VideoCD in the drive). The host loads it when
// SYSTEM.INI's [mci] section names it and calls MciDriverEntry once.
#include "MpegDevice.h"
#include "PackageModules.h"

#include "host/MciDriver.h"
#include "host/winmm.h"

#include <new>

namespace {

using cddriver::MpegDevice;

const MciDriverHost* host_services = nullptr;

// The driver's own commands and keywords, searched before the digital-video set: the bit-rate
// status items, stepping by key frames, fast and slow play, and rate control.
constexpr MciDriverKeyword status_items[] = {
    {"bitrate", MCI_DRIVER_ARG_NONE, nullptr, 0, 1},
    {"audio bitrate", MCI_DRIVER_ARG_NONE, nullptr, 0, 1},
    {"video bitrate", MCI_DRIVER_ARG_NONE, nullptr, 0, 1},
};
constexpr MciDriverKeyword step_keywords[] = {{"key", MCI_DRIVER_ARG_NONE, nullptr, 0, 0}};
constexpr MciDriverKeyword play_keywords[] = {
    {"fast", MCI_DRIVER_ARG_NONE, nullptr, 0, 3},
    {"slow", MCI_DRIVER_ARG_NONE, nullptr, 0, 3},
};
constexpr MciDriverKeyword ratecontrol_keywords[] = {
    {"on", MCI_DRIVER_ARG_NONE, nullptr, 0, 1},
    {"off", MCI_DRIVER_ARG_NONE, nullptr, 0, 1},
};
constexpr MciDriverVerb verbs[] = {
    {"status", MCI_DRIVER_VERB_EXTENDS, MCI_DRIVER_REPLY_ITEM, status_items, 3},
    {"step", MCI_DRIVER_VERB_EXTENDS, MCI_DRIVER_REPLY_NONE, step_keywords, 1},
    {"play", MCI_DRIVER_VERB_EXTENDS, MCI_DRIVER_REPLY_NONE, play_keywords, 2},
    {"ratecontrol", MCI_DRIVER_VERB_REPLACES, MCI_DRIVER_REPLY_NONE, ratecontrol_keywords, 2},
};

// The host must offer its video device: the driver plays through it.
bool host_serves_video(const MciDriverHost* host) {
    return host && host->size >= sizeof(MciDriverHost) && host->open_video_device && host->video_command &&
           host->close_video_device;
}

void* open_device(const MciDriverOpen* open, std::uint32_t* error) {
    if (!open || !host_serves_video(host_services)) {
        *error = MCIERR_CANNOT_LOAD_DRIVER;
        return nullptr;
    }
    const cddriver::PackageModules* modules = cddriver::package_modules(*error);
    if (!modules)
        return nullptr;
    auto* device = new (std::nothrow) MpegDevice(*host_services, *modules);
    if (!device) {
        *error = MCIERR_OUT_OF_MEMORY;
        return nullptr;
    }
    if (std::uint32_t failed = device->open(*open)) {
        delete device;
        *error = failed;
        return nullptr;
    }
    return device;
}

std::uint32_t run_command(void* instance, const MciDriverCommand* command, MciDriverReply* reply,
                          int* notify_later) {
    if (!instance || !command || !reply)
        return MCIERR_INTERNAL;
    return static_cast<MpegDevice*>(instance)->command(*command, *reply, notify_later);
}

void close_device(void* instance) {
    delete static_cast<MpegDevice*>(instance);
}

const MciDriverInterface driver_interface{
    MCI_DRIVER_INTERFACE_VERSION,
    sizeof(MciDriverInterface),
    MCI_DEVTYPE_DIGITAL_VIDEO,
    verbs,
    sizeof verbs / sizeof verbs[0],
    open_device,
    run_command,
    close_device,
    nullptr,
};

} // namespace

extern "C" [[gnu::visibility("default")]] const MciDriverInterface*
MciDriverEntry(const MciDriverHost* host) {
    host_services = host;
    return &driver_interface;
}
