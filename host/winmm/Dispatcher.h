// mciSendStringA without its buffer: tokenizes a command string, finds the device (opening it
// for "open"), parses the keywords by the device's tables and runs the command.
#pragma once

#include "host/mci/Device.h"
#include "host/mci/Reply.h"
#include "Tokenizer.h"

#include <span>
#include <vector>

namespace host::mci {

struct Outcome {
    Outcome() = default;
    Outcome(MCIERROR error_code) : error(error_code) {}
    Outcome(MCIERROR error_code, Reply answer, bool optional = false)
        : error(error_code), reply(std::move(answer)), reply_optional(optional) {}

    MCIERROR error = 0;
    Reply reply;
    // The reply may be dropped when the caller gives no buffer (the device id of "open").
    bool reply_optional = false;
};

Outcome dispatch(std::string_view command, HWND callback);

// The tables a device's commands are looked up in, in search order.
std::vector<const CommandTable*> tables_for(const Device& device);

// Text of a driver-specific error whose high word is the device id.
std::optional<std::string> device_error_text(MCIERROR error);

// The parts of dispatch for "open", "sysinfo" and commands to devices that are not open
// (OpenCommand.cpp, SysinfoCommand.cpp, AutoOpen.cpp).
Outcome open_device(Command& command, std::span<const Token> arguments);
Outcome system_info(Command& command, std::span<const Token> arguments);
Outcome auto_open(Command& command, std::span<const Token> arguments);
// Runs a parsed-to-be command on an open device.
Outcome run_on_device(const std::shared_ptr<struct OpenDevice>& entry, Command& command,
                      std::span<const Token> arguments);
// Whether "open TOKEN" would find a device type: a type name, TYPE!ELEMENT, or a file whose
// extension is listed in WIN.INI [mci extensions].
bool names_device_or_file(std::string_view token);
// Closes an open device; false when it was closed meanwhile.
bool close_device(const std::shared_ptr<struct OpenDevice>& entry);

// Whether a verb is known to any standard table.
bool is_standard_verb(std::string_view verb);

} // namespace host::mci
