// Test helpers: a device that records every call as text and answers as the test scripts it (or,
// for what the script leaves out, as a simple digital-video device would), the driver that serves
// device types with it, a poster that records posted messages, and a fixture with a temporary
// prefix whose SYSTEM.INI lists the recording device as "TestVideo=mcitest.drv".
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

#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
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

// What the device answers to one command string.
struct ScriptedAnswer {
    MCIERROR error = 0;
    std::string reply; // sent as text; empty: no reply
};

// The script every recording device follows while a test runs. It is shared because the MCI
// layer makes the devices (and a failed open destroys its device); reset_recording() starts a
// test with the defaults.
struct DeviceScript {
    // Answers by exact command text, the opens' too. A key "TYPE|command" answers only the device
    // opened as TYPE and comes before a plain key.
    std::map<std::string, ScriptedAnswer> answers;
    // Off: what the answers leave out succeeds without a reply, instead of getting the device's
    // own answer (a mode, a position, a refused "cue", ...).
    bool own_answers = true;
    bool refuse_elements = false; // refuses every open that names an element (a file, "==CDI")
    bool refuse_all = false;      // refuses every open
    std::int64_t length_ms = 0;   // the own answer to "status length"
};

inline DeviceScript& device_script() {
    static DeviceScript script;
    return script;
}

// Clears the log and the script.
inline void reset_recording() {
    device_log().clear();
    device_script() = DeviceScript{};
}

class RecordingDevice : public Device {
  public:
    UINT device_type() const override { return MCI_DEVTYPE_DIGITAL_VIDEO; }
    const CommandTable* custom_commands() const override { return &tables::extended_video; }

    MCIERROR open(const OpenRequest& request) override {
        const DeviceScript& script = device_script();
        if (script.refuse_all || (script.refuse_elements && !request.element.empty())) {
            device_log().push_back("refused element=[" + request.element + "]");
            return MCIERR_DEVICE_OPEN;
        }
        device_log().push_back("open type=" + request.type_name + " element=[" + request.element +
                               "] alias=" + request.alias);
        m_type = request.type_name;
        if (request.command)
            if (auto scripted = scripted_answer(request.command->text))
                return scripted->error;
        if (script.own_answers && request.element.find("MISSING") != std::string::npos)
            return MCIERR_FILE_NOT_FOUND;
        return 0;
    }

    MCIERROR execute(Command& command, Reply& reply) override {
        device_log().push_back(render(command));
        if (auto scripted = scripted_answer(command.text)) {
            if (scripted->error == 0 && !scripted->reply.empty())
                reply = Reply::string(scripted->reply);
            return scripted->error;
        }
        if (!device_script().own_answers || command.test())
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
    std::optional<ScriptedAnswer> scripted_answer(const std::string& text) const {
        const auto& answers = device_script().answers;
        auto found = answers.find(m_type + "|" + text);
        if (found == answers.end())
            found = answers.find(text);
        if (found == answers.end())
            return std::nullopt;
        return found->second;
    }

    MCIERROR status(const Command& command, Reply& reply) {
        if (command.has("mode"))
            reply = Reply::mode(m_mode);
        else if (command.has("position"))
            reply = Reply::number(1500);
        else if (command.has("length"))
            reply = Reply::number(device_script().length_ms);
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

    std::string m_type;
    UINT m_mode = MCI_MODE_STOP;
    UINT m_time_format = MCI_FORMAT_MILLISECONDS;
    NotificationSlot m_pending;
    SignalSchedule m_signal;
};

// Serves device types with recording devices while it lives: `driver_file` becomes a built-in
// driver making them, and the host loads no video device library meanwhile, so that only these
// devices answer. serve() names the driver in SYSTEM.INI for a type (the prefix must exist).
class RecordingDriver {
  public:
    explicit RecordingDriver(
        std::string driver_file = "mcitest.drv",
        DeviceFactory factory = [] { return std::make_unique<RecordingDevice>(); })
        : m_driver_file(std::move(driver_file)) {
        set_builtin_library_loading(false);
        register_builtin_device(m_driver_file, std::move(factory));
    }
    ~RecordingDriver() {
        unregister_builtin_device(m_driver_file);
        set_builtin_library_loading(true);
    }
    RecordingDriver(const RecordingDriver&) = delete;
    RecordingDriver& operator=(const RecordingDriver&) = delete;

    // Writes "type=driver" into [mci] of SYSTEM.INI for each type; false when it could not.
    bool serve(std::initializer_list<const char*> types) const {
        for (const char* type : types)
            if (!WritePrivateProfileStringA("mci", type, m_driver_file.c_str(), "C:\\WINDOWS\\SYSTEM.INI"))
                return false;
        return true;
    }

  private:
    std::string m_driver_file;
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
        reset_recording();
        ASSERT_TRUE(m_driver.serve({"TestVideo"}));
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
    RecordingDriver m_driver{"mcitest.drv", [this] {
                                 auto device = std::make_unique<RecordingDevice>();
                                 m_last_device = device.get();
                                 return device;
                             }};
    MessagePoster m_previous_poster;
    std::mutex m_posted_mutex;
    std::vector<PostedMessage> m_posted;
};

} // namespace mci_test
