#include "MpegDevice.h"

#include "DiscLocator.h"
#include "DriverSettings.h"
#include "SettingsDialog.h"

#include "host/user32.h"
#include "host/winmm.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace cddriver {

namespace {

bool has_keyword(const MciDriverCommand& command, std::string_view keyword) {
    for (std::uint32_t i = 0; i < command.argument_count; ++i)
        if (command.arguments[i].keyword && keyword == command.arguments[i].keyword)
            return true;
    return false;
}

} // namespace

MpegDevice::~MpegDevice() {
    if (m_video)
        m_host.close_video_device(m_video);
}

std::uint32_t MpegDevice::open(const MciDriverOpen& open) {
    std::string_view type = open.device_type ? open.device_type : "";
    m_plays_disc_type = is_disc_type(type);
    std::string medium = open.element ? open.element : "";
    if (opens_disc(type, medium)) {
        std::optional<std::string> disc = locate_disc();
        if (!disc)
            return MCIERR_DEVICE_NOT_READY;
        medium = *disc;
    }
    m_settings = read_settings();
    CdAudioPlan sound{};
    m_modules.audio_plan(&m_settings, &sound);
    MciDriverVideoOptions options{sizeof(MciDriverVideoOptions), sound.sample_rate, sound.channels,
                                  sound.sound_on ? 0 : 1};
    std::uint32_t error = 0;
    m_video = m_host.open_video_device(&open, medium.c_str(), &options, &error);
    if (!m_video)
        return error ? error : MCIERR_CANNOT_LOAD_DRIVER;
    m_has_medium = !medium.empty();
    if (m_has_medium)
        apply_settings();
    return 0;
}

std::uint32_t MpegDevice::command(const MciDriverCommand& command, MciDriverReply& reply, int* notify_later) {
    std::string verb = command.verb ? command.verb : "";
    if (verb == "configure")
        return configure(command);
    if (verb == "info")
        return info(command, reply, notify_later);
    const std::uint32_t error = m_host.video_command(m_video, &command, &reply, notify_later);
    if (error == MCIERR_NO_WINDOW && m_has_medium && asks_for_picture(verb, command))
        return answer_no_picture(verb, command, reply);
    return error;
}

// A medium without a picture (sound only) has no video window on the host's device. The player
// tells such a medium by its window handle and source rectangle: it asks for the handle first and
// takes a source of width 0 for "no picture" (it then keeps only its panel), while a refused
// handle leaves its window as it was. So both are answered: handle 0, source 0 0 0 0.
bool MpegDevice::asks_for_picture(std::string_view verb, const MciDriverCommand& command) {
    return (verb == "status" && has_keyword(command, "window handle")) ||
           (verb == "where" && has_keyword(command, "source"));
}

std::uint32_t MpegDevice::answer_no_picture(std::string_view verb, const MciDriverCommand& command,
                                            MciDriverReply& reply) {
    if (command.flags & MCI_DRIVER_TEST)
        return 0;
    if (verb == "status") {
        reply.type = MCI_DRIVER_REPLY_INTEGER;
        reply.integer = 0;
    } else {
        reply.type = MCI_DRIVER_REPLY_RECT;
        std::fill(std::begin(reply.rect), std::end(reply.rect), 0);
    }
    return 0;
}

std::uint32_t MpegDevice::info(const MciDriverCommand& command, MciDriverReply& reply, int* notify_later) {
    if (!has_keyword(command, "product"))
        return m_host.video_command(m_video, &command, &reply, notify_later);
    if (command.flags & MCI_DRIVER_TEST)
        return 0;
    reply.type = MCI_DRIVER_REPLY_TEXT;
    std::snprintf(reply.text, sizeof reply.text, "%s", product().c_str());
    return 0;
}

std::uint32_t MpegDevice::configure(const MciDriverCommand& command) {
    if (command.flags & MCI_DRIVER_TEST)
        return 0;
    CdSettings settings = read_settings();
    if (!edit_settings(settings, product() + " Settings", display_path()))
        return 0;
    if (!write_settings(settings))
        return MCIERR_FILE_NOT_SAVED;
    m_settings = settings;
    if (m_has_medium)
        apply_settings();
    return 0;
}

// The sound settings (DspAudio, SampRate, Stereo) choose the sound device the medium is opened
// with, so they take effect at the next open; the picture settings at once.
void MpegDevice::apply_settings() {
    MciDriverReply picture{};
    bool has_picture = send("where mpeg source max", &picture) == 0 &&
                       picture.type == MCI_DRIVER_REPLY_RECT && picture.rect[2] > 0 && picture.rect[3] > 0;
    CdVideoPlan plan{};
    m_modules.video_plan(&m_settings, has_picture ? picture.rect[2] : 0, has_picture ? picture.rect[3] : 0,
                         &plan);
    send(plan.paced ? "ratecontrol mpeg on" : "ratecontrol mpeg off");
    if (!has_picture)
        return;
    send("put mpeg source at " + std::to_string(plan.source[0]) + " " + std::to_string(plan.source[1]) + " " +
         std::to_string(plan.source[2]) + " " + std::to_string(plan.source[3]));
    // The device's own window keeps its place and frame; its client area becomes the planned
    // size. A window a program has made its child (placed under its panel) is the program's to size.
    MciDriverReply handle{}, window{}, client{};
    if (send("status mpeg window handle", &handle) != 0 ||
        (GetWindowLongA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle.integer)), GWL_STYLE) &
         WS_CHILD))
        return;
    if (send("where mpeg window", &window) != 0 || send("where mpeg destination", &client) != 0)
        return;
    int width = window.rect[2] - client.rect[2] + plan.window_width;
    int height = window.rect[3] - client.rect[3] + plan.window_height;
    if (width != window.rect[2] || height != window.rect[3])
        send("put mpeg window at " + std::to_string(window.rect[0]) + " " + std::to_string(window.rect[1]) +
             " " + std::to_string(width) + " " + std::to_string(height));
}

std::string MpegDevice::display_path() const {
    char text[64] = {};
    m_modules.display_path(m_modules.display_driver_file(), m_settings.dci, text, sizeof text);
    return text;
}

std::string MpegDevice::product() const {
    const char* name = m_plays_disc_type ? "Reelix VideoCD Player" : "Reelix MPEG Movie Player";
    return std::string(name) + " (" + display_path() + ")";
}

std::uint32_t MpegDevice::send(const std::string& verb_and_arguments, MciDriverReply* reply) {
    MciDriverCommand command{};
    command.size = sizeof command;
    command.command_string = verb_and_arguments.c_str();
    MciDriverReply ignored{};
    return m_host.video_command(m_video, &command, reply ? reply : &ignored, nullptr);
}

} // namespace cddriver
