#include "DriverModule.h"

#include "DriverVideoService.h"

#include "host/mci/MessagePoster.h"
#include "Tokenizer.h"

#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>

namespace host::mci {

namespace {

void post_for_driver(void* window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    post_message(window, message, wparam, lparam);
}

const MciDriverHost driver_host{MCI_DRIVER_HOST_VERSION, sizeof(MciDriverHost), post_for_driver,
                                open_video_device,       video_command,         close_video_device};

// The open or command a module is handling on this thread, with the host's own form of it, so
// that the video device service can hand the very same command on.
thread_local const MciDriverOpen* handled_open = nullptr;
thread_local const OpenRequest* handled_request = nullptr;
thread_local const MciDriverCommand* handled_command = nullptr;
thread_local Command* handled_parsed = nullptr;

template <typename T> class Handling {
  public:
    Handling(T& slot, T value) : m_slot(slot), m_saved(slot) { slot = value; }
    ~Handling() { m_slot = m_saved; }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

  private:
    T& m_slot;
    T m_saved;
};

ArgumentType argument_type(std::uint32_t type) {
    switch (type) {
    case MCI_DRIVER_ARG_INTEGER:
        return ArgumentType::integer;
    case MCI_DRIVER_ARG_STRING:
        return ArgumentType::string;
    case MCI_DRIVER_ARG_CONSTANT:
        return ArgumentType::constant;
    case MCI_DRIVER_ARG_RECT:
        return ArgumentType::rect;
    default:
        return ArgumentType::none;
    }
}

ReplyType reply_type(std::uint32_t type) {
    switch (type) {
    case MCI_DRIVER_REPLY_INTEGER:
        return ReplyType::integer;
    case MCI_DRIVER_REPLY_TEXT:
        return ReplyType::string;
    case MCI_DRIVER_REPLY_RECT:
        return ReplyType::rect;
    case MCI_DRIVER_REPLY_ITEM:
        return ReplyType::item;
    default:
        return ReplyType::none;
    }
}

std::uint32_t c_argument_type(ArgumentType type) {
    switch (type) {
    case ArgumentType::integer:
        return MCI_DRIVER_ARG_INTEGER;
    case ArgumentType::string:
        return MCI_DRIVER_ARG_STRING;
    case ArgumentType::constant:
        return MCI_DRIVER_ARG_CONSTANT;
    case ArgumentType::rect:
        return MCI_DRIVER_ARG_RECT;
    case ArgumentType::none:
        break;
    }
    return MCI_DRIVER_ARG_NONE;
}

// A parsed command in the module's C form; the pointers refer into the command.
struct CCommand {
    std::vector<MciDriverArgument> arguments;
    MciDriverCommand command{};

    explicit CCommand(const Command& parsed) {
        for (const Argument& argument : parsed.arguments) {
            MciDriverArgument c{
                argument.keyword.c_str(),
                c_argument_type(argument.type),
                argument.integer,
                argument.text.c_str(),
                {argument.rect.left, argument.rect.top, argument.rect.width, argument.rect.height}};
            arguments.push_back(c);
        }
        command.size = sizeof(MciDriverCommand);
        command.verb = parsed.verb.c_str();
        command.device_name = parsed.device.c_str();
        command.device_id = parsed.device_id;
        command.flags = parsed.flags;
        command.callback_window = parsed.callback;
        command.arguments = arguments.data();
        command.argument_count = static_cast<std::uint32_t>(arguments.size());
        command.command_string = parsed.text.c_str();
    }
};

Reply reply_of(const MciDriverReply& c) {
    switch (c.type) {
    case MCI_DRIVER_REPLY_INTEGER:
        return Reply::number(c.integer);
    case MCI_DRIVER_REPLY_TEXT:
        return Reply::string(std::string_view(c.text, strnlen(c.text, sizeof c.text)));
    case MCI_DRIVER_REPLY_RECT:
        return Reply::rectangle({c.rect[0], c.rect[1], c.rect[2], c.rect[3]});
    default:
        return {};
    }
}

class ModuleDevice final : public Device {
  public:
    explicit ModuleDevice(std::shared_ptr<DriverModule> module) : m_module(std::move(module)) {}
    ~ModuleDevice() override { close(); }

    UINT device_type() const override { return m_module->interface().device_type; }
    const CommandTable* custom_commands() const override { return m_module->commands(); }

    MCIERROR open(const OpenRequest& request) override {
        CCommand command(*request.command);
        MciDriverOpen open{sizeof(MciDriverOpen),   request.type_name.c_str(), request.parameters.c_str(),
                           request.element.c_str(), request.alias.c_str(),     request.device_id,
                           &command.command};
        std::uint32_t error = 0;
        Handling open_slot(handled_open, static_cast<const MciDriverOpen*>(&open));
        Handling request_slot(handled_request, &request);
        m_instance = m_module->interface().open(&open, &error);
        if (!m_instance)
            return error ? error : MCIERR_CANNOT_LOAD_DRIVER;
        return 0;
    }

    MCIERROR execute(Command& command, Reply& reply) override {
        CCommand c(command);
        MciDriverReply c_reply{};
        int notify_later = 0;
        MCIERROR error = 0;
        {
            Handling command_slot(handled_command, static_cast<const MciDriverCommand*>(&c.command));
            Handling parsed_slot(handled_parsed, &command);
            error = m_module->interface().command(m_instance, &c.command, &c_reply, &notify_later);
        }
        if (error == 0 && notify_later && command.notification && !command.notification_deferred) {
            // The module posts the notification itself through the host's post_message (unless
            // the host's video device took it over, which then finishes it).
            command.defer_notification()->release();
        }
        if (error == 0)
            reply = reply_of(c_reply);
        return error;
    }

    void close() override {
        if (m_instance)
            m_module->interface().close(m_instance);
        m_instance = nullptr;
    }

    std::optional<std::string> error_text(MCIERROR code) const override {
        if (!m_module->interface().error_text)
            return std::nullopt;
        const char* text = m_module->interface().error_text(m_instance, code);
        if (!text)
            return std::nullopt;
        return std::string(text);
    }

  private:
    std::shared_ptr<DriverModule> m_module;
    void* m_instance = nullptr;
};

std::mutex modules_mutex;
std::map<std::filesystem::path, std::shared_ptr<DriverModule>>& loaded_modules() {
    static std::map<std::filesystem::path, std::shared_ptr<DriverModule>> modules;
    return modules;
}

bool interface_usable(const MciDriverInterface* interface) {
    return interface && interface->version == MCI_DRIVER_INTERFACE_VERSION &&
           interface->size >= sizeof(MciDriverInterface) && interface->open && interface->command &&
           interface->close && (interface->verb_count == 0 || interface->verbs);
}

} // namespace

DriverModule::DriverModule(const MciDriverInterface* interface) : m_interface(interface) {
    build_table();
}

void DriverModule::build_table() {
    const std::size_t count = m_interface->verb_count;
    m_keywords.resize(count);
    for (std::size_t v = 0; v < count; ++v) {
        const MciDriverVerb& verb = m_interface->verbs[v];
        if (!verb.name || (verb.keyword_count && !verb.keywords))
            continue;
        for (std::size_t k = 0; k < verb.keyword_count; ++k) {
            const MciDriverKeyword& keyword = verb.keywords[k];
            std::vector<Constant>& constants = m_constants.emplace_back();
            for (std::size_t c = 0; keyword.constants && c < keyword.constant_count; ++c)
                if (keyword.constants[c].name)
                    constants.push_back({m_names.emplace_back(to_lower(keyword.constants[c].name)),
                                         keyword.constants[c].value});
            m_keywords[v].push_back({m_names.emplace_back(to_lower(keyword.name ? keyword.name : "")),
                                     argument_type(keyword.argument),
                                     {},
                                     static_cast<std::uint8_t>(keyword.exclusive_group)});
        }
        m_verbs.push_back({m_names.emplace_back(to_lower(verb.name)), m_keywords[v], reply_type(verb.reply),
                           false, verb.relation == MCI_DRIVER_VERB_EXTENDS});
    }
    // The constants are attached once every vector has stopped growing.
    std::size_t next = 0;
    for (std::vector<Keyword>& keywords : m_keywords)
        for (Keyword& keyword : keywords)
            keyword.constants = m_constants[next++];
    m_table.verbs = m_verbs;
}

std::shared_ptr<DriverModule> DriverModule::load(const std::filesystem::path& path) {
    std::lock_guard lock(modules_mutex);
    auto& modules = loaded_modules();
    if (auto found = modules.find(path); found != modules.end())
        return found->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto entry = reinterpret_cast<MciDriverEntryFunction>(dlsym(handle, MCI_DRIVER_ENTRY_NAME));
    const MciDriverInterface* interface = entry ? entry(&driver_host) : nullptr;
    if (!interface_usable(interface)) {
        dlclose(handle);
        return nullptr;
    }
    auto module = std::make_shared<DriverModule>(interface);
    modules[path] = module;
    return module;
}

const OpenRequest* handled_open_request(const MciDriverOpen* open) {
    return open && open == handled_open ? handled_request : nullptr;
}

Command* handled_command_of(const MciDriverCommand* command) {
    return command && command == handled_command ? handled_parsed : nullptr;
}

std::unique_ptr<Device> make_module_device(std::shared_ptr<DriverModule> module) {
    return std::make_unique<ModuleDevice>(std::move(module));
}

} // namespace host::mci
