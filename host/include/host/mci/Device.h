// The interface every MCI device implements: the host's built-in devices and the adapter over a
// driver module alike. The dispatcher (mciSendStringA) parses each command by the device's
// tables and hands it over parsed; the device answers with an MCI error code and a typed reply.
//
// Life cycle: made by its factory, then open() once; on success it receives commands until
// close(), after which it is destroyed. A failed open() destroys it without close(). A device
// may also be made only to be asked its device_type() (sysinfo) and destroyed unopened.
//
// Threads: open, execute and close are called on the thread that opened the device (commands
// from other threads are refused as on Windows), so never two at once for one device. A command
// with "wait" blocks in execute() until its action has finished. Signals and late notifications
// may be posted from any thread (see MessagePoster.h, Notification.h).
#pragma once

#include "Command.h"
#include "Grammar.h"
#include "Reply.h"

#include "host/winmm.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace host::mci {

struct OpenRequest {
    std::string type_name;    // the [mci] key the device is opened by ("avivideo")
    std::string parameters;   // text after the driver file name in the [mci] value
    std::string element;      // DOS path or other element name; empty for a simple open
    bool new_element = false; // "open new ..."
    std::string alias;
    MCIDEVICEID device_id = 0;
    const Command* command = nullptr; // the open command (parent, style, shareable, ...)
    // Sound output format asked for by a driver built on the host's video device; 0 = the
    // stream's own sample rate or channel count.
    int audio_sample_rate = 0;
    int audio_channels = 0;
    bool sound_off = false; // no sound device at all: the medium plays silently
};

class Device {
  public:
    virtual ~Device() = default;

    // MCI_DEVTYPE_*: chooses the standard table searched after custom_commands().
    virtual UINT device_type() const = 0;
    // The device's own verbs and keywords, searched before the standard tables; may be null.
    // Must stay valid for the life of the device.
    virtual const CommandTable* custom_commands() const { return nullptr; }

    // Returns 0, or the error that makes the open fail (FILE_NOT_FOUND, INVALID_FILE, ...).
    virtual MCIERROR open(const OpenRequest& request) = 0;
    // Carries out one command (with MCI_TEST: only checks it). Returns 0 or an MCI error; the
    // reply is used only on success. With "notify" see Command::defer_notification().
    virtual MCIERROR execute(Command& command, Reply& reply) = 0;
    // Stops everything; a pending notification gets ABORTED.
    virtual void close() {}
    // Text of a driver-specific error (>= MCIERR_CUSTOM_DRIVER_BASE).
    virtual std::optional<std::string> error_text(MCIERROR) const { return std::nullopt; }
};

using DeviceFactory = std::function<std::unique_ptr<Device>()>;

// Makes the devices of a system driver named in SYSTEM.INI [mci] ("mciavi.drv") with factory.
// The name is compared without regard to case; a later registration replaces an earlier one.
void register_builtin_device(std::string_view driver_file_name, DeviceFactory factory);
// Removes a registration (for tests).
void unregister_builtin_device(std::string_view driver_file_name);

// Whether a system driver without a registered device may be served by the host's video device
// library (libmcivideo.so beside the host library), which is then loaded once and registers its
// devices. On by default; tests of the registry itself turn it off to see only their own devices.
void set_builtin_library_loading(bool enabled);

} // namespace host::mci
