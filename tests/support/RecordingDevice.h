// Test helpers: a device that records every call as text and answers as scripted, a poster that
// records posted messages, and a fixture with a temporary prefix whose SYSTEM.INI lists the
// recording device as "TestVideo=mcitest.drv".
#pragma once

#include "host/mci/CommandTables.h"
#include "host/mci/Device.h"
#include "host/mci/MessagePoster.h"
#include "host/mci/Notification.h"
#include "host/mci/SignalSchedule.h"

#include "TempPrefix.h"
#include "host/kernel32.h"
#include "host/winmm.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mci_test {

using namespace host::mci;

inline std::vector<std::string>& device_log() {
    static std::vector<std::string> log;
    return log;
}

// "verb key=value flag ... [wait] [notify] [test]": what the device received.
inline std::string render(const Command& command) {
    std::string text = command.verb;
    for (const Argument& argument : command.arguments) {
        text += " " + (argument.keyword.empty() ? std::string("<positional>") : argument.keyword);
        switch (argument.type) {
        case ArgumentType::none:
            break;
        case ArgumentType::integer:
            text += "=" + std::to_string(argument.integer);
            break;
        case ArgumentType::string:
            text += "=[" + argument.text + "]";
            break;
        case ArgumentType::constant:
            text += "=" + argument.text + "/" + std::to_string(argument.integer);
            break;
        case ArgumentType::rect:
            text += "=" + std::to_string(argument.rect.left) + "," + std::to_string(argument.rect.top) + "," +
                    std::to_string(argument.rect.width) + "," + std::to_string(argument.rect.height);
            break;
        }
    }
    if (command.wait())
        text += " [wait]";
    if (command.notify())
        text += " [notify]";
    if (command.test())
        text += " [test]";
    return text;
}

inline constexpr std::int64_t test_window_handle = 0x123456789;
inline constexpr MCIERROR recording_device_error = MCIERR_CUSTOM_DRIVER_BASE + 7;

class RecordingDevice : public Device {
  public:
    UINT device_type() const override { return MCI_DEVTYPE_DIGITAL_VIDEO; }
    const CommandTable* custom_commands() const override { return &tables::extended_video; }

    MCIERROR open(const OpenRequest& request) override {
        device_log().push_back("open type=" + request.type_name + " element=[" + request.element +
                               "] alias=" + request.alias);
        if (request.element.find("MISSING") != std::string::npos)
            return MCIERR_FILE_NOT_FOUND;
        return 0;
    }

    MCIERROR execute(Command& command, Reply& reply) override {
        device_log().push_back(render(command));
        if (command.test())
            return 0;
        const std::string& verb = command.verb;
        if (verb == "status")
            return status(command, reply);
        if (verb == "set" && command.has("time format")) {
            std::int64_t format = command.integer("time format");
            if (format != MCI_FORMAT_MILLISECONDS && format != MCI_FORMAT_FRAMES)
                return MCIERR_BAD_TIME_FORMAT;
            m_time_format = static_cast<UINT>(format);
        } else if (verb == "where") {
            reply = Reply::rectangle({0, 0, 352, 240});
        } else if (verb == "info") {
            reply = Reply::string(command.has("product") ? "Recording device" : "C:\\CLIP.MPG");
        } else if (verb == "capability") {
            reply = Reply::boolean(command.has("has video") || command.has("compound device"));
        } else if (verb == "play") {
            m_mode = MCI_MODE_PLAY;
            if (command.notify())
                m_pending.arm(command.defer_notification());
        } else if (verb == "stop" || verb == "seek") {
            m_mode = MCI_MODE_STOP;
            m_pending.abort();
        } else if (verb == "signal") {
            return m_signal.configure(command, 0);
        } else if (verb == "cue") {
            return recording_device_error;
        }
        return 0;
    }

    void close() override {
        device_log().push_back("close");
        m_pending.abort();
    }

    std::optional<std::string> error_text(MCIERROR code) const override {
        if (code == recording_device_error)
            return "The recording device refused.";
        return std::nullopt;
    }

    // The position moving during play, as the engine would report it.
    void advance(std::int64_t position) { m_signal.advance(position); }
    void finish_play() { m_pending.finish(MCI_NOTIFY_SUCCESSFUL); }

  private:
    MCIERROR status(const Command& command, Reply& reply) {
        if (command.has("mode"))
            reply = Reply::mode(m_mode);
        else if (command.has("position"))
            reply = Reply::number(1500);
        else if (command.has("length"))
            reply = Reply::number(0);
        else if (command.has("volume"))
            reply = Reply::number(-1);
        else if (command.has("window handle"))
            reply = Reply::number(test_window_handle);
        else if (command.has("time format"))
            reply = Reply::time_format(m_time_format);
        else if (command.has("bitrate"))
            reply = Reply::number(1150000);
        else if (command.has("frame rate"))
            reply = Reply::number(command.has("nominal") ? 25000 : 24000);
        else if (command.has("ready"))
            reply = Reply::boolean(true);
        else
            return MCIERR_UNSUPPORTED_FUNCTION;
        return 0;
    }

    UINT m_mode = MCI_MODE_STOP;
    UINT m_time_format = MCI_FORMAT_MILLISECONDS;
    NotificationSlot m_pending;
    SignalSchedule m_signal;
};

struct PostedMessage {
    void* hwnd;
    unsigned message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
    bool operator==(const PostedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PostedMessage& m) {
    return out << "{" << m.hwnd << ", 0x" << std::hex << m.message << std::dec << ", " << m.wparam << ", "
               << m.lparam << "}";
}

inline HWND test_window() {
    return reinterpret_cast<HWND>(std::uintptr_t(0x4242));
}

class MciFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        device_log().clear();
        set_builtin_library_loading(false);
        register_builtin_device("mcitest.drv", [this] {
            auto device = std::make_unique<RecordingDevice>();
            m_last_device = device.get();
            return device;
        });
        ASSERT_TRUE(WritePrivateProfileStringA("mci", "TestVideo", "mcitest.drv", "C:\\WINDOWS\\SYSTEM.INI"));
        ASSERT_TRUE(WritePrivateProfileStringA("mci extensions", "tvx", "TestVideo", "C:\\WINDOWS\\WIN.INI"));
        m_previous_poster =
            set_message_poster([this](void* hwnd, unsigned message, std::uintptr_t w, std::intptr_t l) {
                std::lock_guard lock(m_posted_mutex);
                m_posted.push_back({hwnd, message, w, l});
            });
    }

    void TearDown() override {
        mciSendStringA("close all", nullptr, 0, nullptr);
        set_message_poster(std::move(m_previous_poster));
        unregister_builtin_device("mcitest.drv");
        set_builtin_library_loading(true);
    }

    // Sends a command and returns its code; the reply lands in reply.
    MCIERROR send(const std::string& command, HWND callback = nullptr) {
        char buffer[256] = "untouched";
        MCIERROR error = mciSendStringA(command.c_str(), buffer, sizeof buffer, callback);
        reply = buffer;
        return error;
    }

    std::vector<PostedMessage> posted() {
        std::lock_guard lock(m_posted_mutex);
        return m_posted;
    }

    TempPrefix prefix;
    std::string reply;
    RecordingDevice* m_last_device = nullptr;

  private:
    MessagePoster m_previous_poster;
    std::mutex m_posted_mutex;
    std::vector<PostedMessage> m_posted;
};

} // namespace mci_test
