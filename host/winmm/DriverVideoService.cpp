#include "DriverVideoService.h"

#include "DeviceRegistry.h"
#include "Dispatcher.h"
#include "DriverModule.h"
#include "Parser.h"
#include "Tokenizer.h"

#include <cstddef>
#include <cstring>
#include <memory>

namespace host::mci {

namespace {

// The system driver whose device drivers build on: the host's MPEG-capable video device
// (ActiveMovie's driver file), which counts time in milliseconds.
constexpr std::string_view base_driver = "mciqtz.drv";

struct VideoDeviceHandle {
    std::unique_ptr<Device> device;
    MCIDEVICEID id = 0;
};

void copy_reply(const Reply& reply, MciDriverReply& c) {
    c = {};
    switch (reply.kind) {
    case Reply::Kind::integer:
        c.type = MCI_DRIVER_REPLY_INTEGER;
        c.integer = reply.integer;
        break;
    case Reply::Kind::text:
        c.type = MCI_DRIVER_REPLY_TEXT;
        std::strncpy(c.text, reply.text.c_str(), sizeof c.text - 1);
        break;
    case Reply::Kind::rect:
        c.type = MCI_DRIVER_REPLY_RECT;
        c.rect[0] = reply.rect.left;
        c.rect[1] = reply.rect.top;
        c.rect[2] = reply.rect.width;
        c.rect[3] = reply.rect.height;
        break;
    case Reply::Kind::none:
        break;
    }
}

// A command of the driver's own making, parsed by the video device's tables.
MCIERROR run_own_command(VideoDeviceHandle& video, const MciDriverCommand& c, Reply& reply) {
    if (!c.command_string)
        return MCIERR_MISSING_COMMAND_STRING;
    Tokens tokens = tokenize(c.command_string);
    if (tokens.error)
        return tokens.error;
    if (tokens.tokens.size() < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    Command command;
    command.text = c.command_string;
    command.verb = to_lower(tokens.tokens[0].text);
    command.device = tokens.tokens[1].text;
    if (command.verb == "open" || command.verb == "close" || command.verb == "sysinfo")
        return MCIERR_UNSUPPORTED_FUNCTION; // the driver opens and closes through the service
    std::vector<const CommandTable*> tables = tables_for(*video.device);
    VerbGrammar grammar = find_verb(tables, command.verb);
    if (!grammar)
        return MCIERR_UNRECOGNIZED_COMMAND;
    if (MCIERROR error = parse_arguments(grammar, std::span(tokens.tokens).subspan(2), command))
        return error;
    command.callback = static_cast<HWND>(c.callback_window);
    command.device_id = video.id;
    if (command.notify())
        command.notification = std::make_shared<Notification>(command.callback, video.id);
    MCIERROR error = video.device->execute(command, reply);
    if (command.notification && !command.notification_deferred) {
        if (error == 0)
            command.notification->finish(MCI_NOTIFY_SUCCESSFUL);
        else
            command.notification->release();
    }
    return error;
}

} // namespace

void* open_video_device(const MciDriverOpen* open, const char* medium, const MciDriverVideoOptions* options,
                        std::uint32_t* error) {
    std::uint32_t ignored = 0;
    if (!error)
        error = &ignored;
    *error = 0;
    MadeDevice made = make_system_device(base_driver);
    if (!made.device) {
        *error = made.error;
        return nullptr;
    }
    OpenRequest request;
    if (const OpenRequest* handled = handled_open_request(open)) {
        request = *handled;
    } else if (open && open->size >= sizeof(MciDriverOpen)) {
        request.type_name = open->device_type ? open->device_type : "";
        request.alias = open->alias ? open->alias : "";
        request.device_id = open->device_id;
    }
    request.element = medium ? medium : "";
    if (options && options->size >= offsetof(MciDriverVideoOptions, audio_channels) + sizeof(std::int32_t)) {
        // Within what sound devices take; anything else keeps the stream's own format.
        bool usable_rate = options->audio_sample_rate >= 8000 && options->audio_sample_rate <= 192000;
        request.audio_sample_rate = usable_rate ? options->audio_sample_rate : 0;
        request.audio_channels =
            options->audio_channels == 1 || options->audio_channels == 2 ? options->audio_channels : 0;
    }
    if (options && options->size >= offsetof(MciDriverVideoOptions, sound_off) + sizeof(std::int32_t))
        request.sound_off = options->sound_off != 0;
    if (MCIERROR failed = made.device->open(request)) {
        *error = failed;
        return nullptr;
    }
    return new VideoDeviceHandle{std::move(made.device), request.device_id};
}

std::uint32_t video_command(void* device, const MciDriverCommand* command, MciDriverReply* reply,
                            int* notify_later) {
    auto* video = static_cast<VideoDeviceHandle*>(device);
    if (notify_later)
        *notify_later = 0;
    if (!video || !command)
        return MCIERR_INTERNAL;
    Reply answer;
    MCIERROR error = 0;
    if (Command* handled = handled_command_of(command)) {
        error = video->device->execute(*handled, answer);
        if (notify_later && handled->notification_deferred)
            *notify_later = 1;
    } else {
        error = run_own_command(*video, *command, answer);
    }
    if (error == 0 && reply)
        copy_reply(answer, *reply);
    return error;
}

void close_video_device(void* device) {
    auto* video = static_cast<VideoDeviceHandle*>(device);
    if (!video)
        return;
    video->device->close();
    delete video;
}

} // namespace host::mci
