// Queries: status, capability and info. Each is a table of items; the first item of the table
// that the command names is answered.
#include "VideoDevice.h"

#include "VideoWindow.h"

#include "media/Mode.h"

#include <span>

namespace mcivideo {

namespace {

UINT mci_mode(media::Mode mode) {
    switch (mode) {
    case media::Mode::NotReady:
        return MCI_MODE_NOT_READY;
    case media::Mode::Playing:
        return MCI_MODE_PLAY;
    case media::Mode::Paused:
        return MCI_MODE_PAUSE;
    case media::Mode::Seeking:
        return MCI_MODE_SEEK;
    case media::Mode::Stopped:
    case media::Mode::Ended: // an ended play is a stopped device at the end
        return MCI_MODE_STOP;
    }
    return MCI_MODE_NOT_READY;
}

std::int64_t window_number(HWND hwnd) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(hwnd));
}

} // namespace

MCIERROR VideoDevice::status(Command& command, Reply& reply) {
    return status_item(command, reply);
}

MCIERROR VideoDevice::status_item(const Command& command, Reply& reply) {
    using Answer = MCIERROR (*)(const VideoDevice&, const Command&, Reply&);
    struct Item {
        std::string_view keyword;
        Answer answer;
    };
    // Track arguments name the one track of a file (or a track of a disc image).
    static const auto track_ok = [](const VideoDevice& d, const Command& c) {
        std::int64_t tracks = d.m_movie ? d.m_movie->info().track_count : 1;
        return !c.has("track") || (c.integer("track") >= 1 && c.integer("track") <= tracks);
    };
    static const Item items[] = {
        {"mode",
         [](const VideoDevice& d, const Command&, Reply& r) {
             r = Reply::mode(d.m_movie ? mci_mode(d.m_movie->mode()) : MCI_MODE_NOT_READY);
             return MCIERROR(0);
         }},
        {"position",
         [](const VideoDevice& d, const Command& c, Reply& r) {
             if (!track_ok(d, c))
                 return MCIERR_OUTOFRANGE;
             r = Reply::number(c.has("start") || c.has("track") ? 0 : d.position_units());
             return MCIERROR(0);
         }},
        {"length",
         [](const VideoDevice& d, const Command& c, Reply& r) {
             if (!track_ok(d, c))
                 return MCIERR_OUTOFRANGE;
             r = Reply::number(d.length());
             return MCIERROR(0);
         }},
        {"number of tracks",
         [](const VideoDevice& d, const Command&, Reply& r) {
             r = Reply::number(d.m_movie ? d.m_movie->info().track_count : 1);
             return MCIERROR(0);
         }},
        {"current track",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::number(1), MCIERROR(0); }},
        {"media present",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::boolean(true), MCIERROR(0); }},
        {"ready",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::boolean(true), MCIERROR(0); }},
        {"time format", [](const VideoDevice& d, const Command&,
                           Reply& r) { return r = Reply::time_format(d.m_time_format), MCIERROR(0); }},
        {"window handle",
         [](const VideoDevice& d, const Command&, Reply& r) {
             if (!d.m_window || !d.m_window->own_handle())
                 return MCIERR_NO_WINDOW;
             r = Reply::number(window_number(d.m_window->own_handle()));
             return MCIERROR(0);
         }},
        {"window visible",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::boolean(d.m_window && d.m_window->visible()), MCIERROR(0);
         }},
        {"window minimized",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::boolean(d.m_window && d.m_window->minimized()), MCIERROR(0);
         }},
        {"window maximized",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::boolean(d.m_window && d.m_window->maximized()), MCIERROR(0);
         }},
        {"frame rate",
         [](const VideoDevice& d, const Command& c, Reply& r) {
             // Frames per 1000 s; the current rate follows "set speed", "play fast" and "play slow".
             std::int64_t nominal = d.m_movie ? d.m_movie->info().nominal_frame_rate : 0;
             r = Reply::number(c.has("nominal") || !d.m_movie
                                   ? nominal
                                   : std::int64_t(double(nominal) * d.m_movie->rate()));
             return MCIERROR(0);
         }},
        {"speed", [](const VideoDevice& d, const Command&,
                     Reply& r) { return r = Reply::number(d.m_speed), MCIERROR(0); }},
        {"forward",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::boolean(true), MCIERROR(0); }},
        {"audio",
         [](const VideoDevice& d, const Command&, Reply& r) {
             bool on = !d.m_sound_off && (!d.m_movie || d.m_movie->channel(media::Channel::Left) ||
                                          d.m_movie->channel(media::Channel::Right));
             return r = Reply::on_off(on), MCIERROR(0);
         }},
        {"video", [](const VideoDevice& d, const Command&,
                     Reply& r) { return r = Reply::on_off(d.m_video_on), MCIERROR(0); }},
        {"volume",
         [](const VideoDevice& d, const Command& c, Reply& r) {
             r = Reply::number(c.has("left")    ? d.m_left_volume
                               : c.has("right") ? d.m_right_volume
                                                : (d.m_left_volume + d.m_right_volume) / 2);
             return MCIERROR(0);
         }},
        {"seek exactly", [](const VideoDevice& d, const Command&,
                            Reply& r) { return r = Reply::on_off(d.m_seek_exactly), MCIERROR(0); }},
        {"frames skipped",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::number(d.m_tally.skipped()), MCIERROR(0);
         }},
        {"play speed",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::number(1000), MCIERROR(0); }},
        {"audio breaks",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::number(0), MCIERROR(0); }},
        {"pause mode",
         [](const VideoDevice& d, const Command&, Reply& r) {
             if (!d.m_movie || d.m_movie->mode() != media::Mode::Paused)
                 return MCIERR_NONAPPLICABLE_FUNCTION;
             r = Reply::string("playing");
             return MCIERROR(0);
         }},
        {"unsaved",
         [](const VideoDevice&, const Command&, Reply& r) { return r = Reply::boolean(false), MCIERROR(0); }},
        {"stretch",
         [](const VideoDevice& d, const Command&, Reply& r) {
             bool stretched = d.m_window && (d.m_window->destination().width != d.m_window->source().width ||
                                             d.m_window->destination().height != d.m_window->source().height);
             return r = Reply::boolean(stretched), MCIERROR(0);
         }},
        {"bitrate",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::number(d.m_movie ? d.m_movie->info().system_bitrate : 0), MCIERROR(0);
         }},
        {"audio bitrate",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::number(d.m_movie ? d.m_movie->info().audio_bitrate : 0), MCIERROR(0);
         }},
        {"video bitrate",
         [](const VideoDevice& d, const Command&, Reply& r) {
             return r = Reply::number(d.m_movie ? d.m_movie->info().video_bitrate : 0), MCIERROR(0);
         }},
    };
    for (const Item& item : items)
        if (command.has(item.keyword))
            return item.answer(*this, command, reply);
    // MCIAVI answers a status without an item (or with one it lacks) this way.
    return MCIERR_UNSUPPORTED_FUNCTION;
}

MCIERROR VideoDevice::capability(Command& command, Reply& reply) {
    struct Item {
        std::string_view keyword;
        Reply answer;
    };
    const Item items[] = {
        {"can play", Reply::boolean(true)},
        {"can record", Reply::boolean(false)},
        {"can save", Reply::boolean(false)},
        {"can eject", Reply::boolean(false)},
        {"has audio", Reply::boolean(true)},
        {"has video", Reply::boolean(true)},
        {"uses files", Reply::boolean(true)},
        {"compound device", Reply::boolean(true)},
        {"device type", Reply::device_type(m_driver.device_type)},
        {"can reverse", Reply::boolean(false)},
        {"can stretch", Reply::boolean(true)},
        {"can stretch input", Reply::boolean(false)},
        {"can freeze", Reply::boolean(false)},
        {"can lock", Reply::boolean(false)},
        {"can test", Reply::boolean(true)},
        {"has still", Reply::boolean(false)},
        {"uses palettes", Reply::boolean(false)},
        {"windows", Reply::number(1)},
    };
    for (const Item& item : items)
        if (command.has(item.keyword)) {
            reply = item.answer;
            return 0;
        }
    return command.arguments.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNSUPPORTED_FUNCTION;
}

MCIERROR VideoDevice::info(Command& command, Reply& reply) {
    if (command.has("product"))
        reply = Reply::string(m_driver.product);
    else if (command.has("file"))
        reply = Reply::string(m_element);
    else if (command.has("version"))
        reply = Reply::string("1.0");
    else if (command.has("window text")) {
        if (!m_window || !m_window->own_handle())
            return MCIERR_NO_WINDOW;
        reply = Reply::string(m_window->text());
    } else
        return command.arguments.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNSUPPORTED_FUNCTION;
    return 0;
}

} // namespace mcivideo
