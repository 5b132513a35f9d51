// A command string after parsing: the verb, the device token, the general flags and each
// keyword found with its typed argument. This is what a device receives.
#pragma once

#include "Grammar.h"
#include "Notification.h"

#include "host/winmm.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host::mci {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

struct Argument {
    std::string keyword; // the table's name ("time format")
    ArgumentType type = ArgumentType::none;
    std::int64_t integer = 0; // integer, or the constant's value
    std::string text;         // string, or the table's name of the constant
    Rect rect;
};

struct Command {
    std::string text;   // the command string as sent
    std::string verb;   // lower case
    std::string device; // the device token as written
    DWORD flags = 0;    // MCI_WAIT, MCI_NOTIFY, MCI_TEST
    std::vector<Argument> arguments;

    // Filled in by the dispatcher before the device sees the command.
    HWND callback = nullptr;
    MCIDEVICEID device_id = 0;
    // The notification owed for "notify"; null otherwise. A device that completes the command
    // later calls defer_notification() and finishes the notification itself; otherwise the
    // dispatcher posts MCI_NOTIFY_SUCCESSFUL when execute() returns 0.
    std::shared_ptr<Notification> notification;
    bool notification_deferred = false;
    // The virtual key that ends a wait early ("break ... on"): CTRL+BREAK (VK_CANCEL) unless the
    // program chose another; 0 after "break ... off".
    unsigned break_key = 0x03;

    bool wait() const { return flags & MCI_WAIT; }
    bool notify() const { return flags & MCI_NOTIFY; }
    bool test() const { return flags & MCI_TEST; }

    bool has(std::string_view keyword) const { return find(keyword) != nullptr; }
    const Argument* find(std::string_view keyword) const {
        for (const Argument& argument : arguments)
            if (argument.keyword == keyword)
                return &argument;
        return nullptr;
    }
    std::int64_t integer(std::string_view keyword, std::int64_t fallback = 0) const {
        const Argument* argument = find(keyword);
        return argument ? argument->integer : fallback;
    }
    std::string_view string(std::string_view keyword) const {
        const Argument* argument = find(keyword);
        return argument ? std::string_view(argument->text) : std::string_view();
    }
    std::shared_ptr<Notification> defer_notification() {
        notification_deferred = true;
        return notification;
    }
};

} // namespace host::mci
