// Transport commands: play, stop, pause, resume, seek, step, signal and ratecontrol.
#include "VideoDevice.h"

#include "EngineErrors.h"
#include "VideoWindow.h"

#include "host/GuiThread.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <limits>

namespace mcivideo {

namespace {

constexpr std::int64_t at_end = std::numeric_limits<std::int64_t>::max();
// How long a seek or step may take to put its frame on screen.
constexpr std::chrono::seconds seek_timeout{10};
constexpr std::chrono::milliseconds no_time{0};

} // namespace

MCIERROR VideoDevice::play(Command& command, Reply&) {
    if (command.has("reverse"))
        return MCIERR_UNSUPPORTED_FUNCTION; // the engine plays forward only ("can reverse" false)
    std::int64_t end = length();
    std::optional<std::int64_t> from, to;
    if (command.has("from"))
        from = command.integer("from");
    if (command.has("to"))
        to = command.integer("to");
    if ((from && (*from < 0 || *from > end)) || (to && (*to < 0 || *to > end)))
        return MCIERR_OUTOFRANGE;
    if (to && *to < from.value_or(position_units()))
        return MCIERR_OUTOFRANGE; // backwards would be reverse play
    // A looping play never ends, so waiting for it would never return.
    if (command.wait() && command.has("repeat"))
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    if (command.test())
        return 0;

    double rate = m_speed / 1000.0;
    if (command.has("fast"))
        rate *= 2;
    else if (command.has("slow"))
        rate /= 2;
    if (auto status = m_movie->set_rate(rate); !status)
        return mci_error(status.error());

    media::PlayOptions options;
    if (from)
        options.from_us = media_time(*from);
    if (to)
        options.to_us = media_time(*to);
    options.repeat = command.has("repeat");
    // A play to another end point cuts off the one that was awaited; one with "notify" takes over.
    if (command.notify() && !command.wait())
        m_pending.arm(command.defer_notification());
    else if (from || to || command.wait())
        m_pending.abort();
    m_end_units = to.value_or(end);
    if (auto status = m_movie->play(options); !status) {
        if (command.notification)
            command.notification->release(); // a command that fails is reported, not notified
        return mci_error(status.error());
    }
    m_rest_us.reset();
    m_tally = {};
    m_play_end_us = options.to_us;
    if (from) {
        m_signal.jump(*from);
        m_last_signal_position = *from;
    }
    if (m_window && m_window->target() == m_window->own_handle() && !m_window->visible())
        m_window->show(SW_SHOWNA); // as MCIAVI, playing shows the window
    start_ticking();
    return command.wait() ? wait_for_play(command) : 0;
}

// The signal timer and the frames go on inside the host's wait. The break key ends it with the
// device stopped where it was; the command itself has then done what the user let it do and
// returns 0, and a notification asked for with it is ABORTED.
MCIERROR VideoDevice::wait_for_play(const Command& command) {
    using host::user32::DeviceWait;
    DeviceWait end =
        host::user32::wait_for_device([this] { return m_movie->wait_play_done(no_time); }, command.break_key);
    if (end == DeviceWait::broken)
        stop_where_it_is();
    tick();
    return 0;
}

void VideoDevice::stop_where_it_is() {
    m_movie->stop();
    m_outstanding = Outstanding::none;
    m_pending.abort();
    m_seek_note.abort();
}

MCIERROR VideoDevice::stop(Command& command, Reply&) {
    if (command.test())
        return 0;
    bool ended = m_movie->mode() == media::Mode::Ended;
    stop_where_it_is(); // stopping a stopped medium is no fault
    if (ended)
        m_rest_us = m_play_end_us.value_or(at_end);
    tick();
    return 0;
}

MCIERROR VideoDevice::pause(Command& command, Reply&) {
    if (command.test())
        return 0;
    // The play's notification stays pending and arrives after "resume"; "pause ... notify"
    // supersedes it.
    if (command.notify())
        m_pending.supersede();
    if (playing())
        if (auto status = m_movie->pause(); !status)
            return mci_error(status.error());
    tick();
    return 0;
}

MCIERROR VideoDevice::resume(Command& command, Reply&) {
    media::Mode mode = m_movie->mode();
    if (mode != media::Mode::Paused && !playing())
        return MCIERR_NONAPPLICABLE_FUNCTION;
    if (command.test() || mode != media::Mode::Paused)
        return 0;
    if (auto status = m_movie->resume(); !status)
        return mci_error(status.error());
    m_rest_us.reset();
    start_ticking();
    return 0;
}

MCIERROR VideoDevice::seek(Command& command, Reply&) {
    bool to_start = command.has("to start");
    bool to_end = command.has("to end");
    if (!to_start && !to_end && !command.has("to"))
        return MCIERR_MISSING_PARAMETER;
    std::int64_t target = command.integer("to");
    std::int64_t end = length();
    if (!to_start && !to_end && (target < 0 || target > end))
        return MCIERR_OUTOFRANGE;
    if (command.test())
        return 0;
    m_pending.abort();
    m_seek_note.abort();
    to_end = to_end || (!to_start && target == end);
    media::Status status = to_start ? m_movie->seek_to_start()
                           : to_end ? m_movie->seek_to_end()
                                    : m_movie->seek(media_time(target));
    if (status)
        m_rest_us = to_end ? at_end : to_start ? 0 : media_time(target);
    return start_seek(command, status, to_end ? end : to_start ? 0 : target);
}

// After the engine took a seek or step: the signals continue from its target, and the command
// returns now, or with "wait" once the frame is on screen; "notify" without "wait" is answered
// when the frame is there.
MCIERROR VideoDevice::start_seek(Command& command, media::Status status, std::int64_t target_units) {
    if (!status)
        return mci_error(status.error());
    m_outstanding = Outstanding::seek;
    m_signal.jump(target_units);
    m_last_signal_position = target_units;
    if (command.wait())
        return wait_for_seek(command);
    if (command.notify())
        m_seek_note.arm(command.defer_notification());
    return 0;
}

MCIERROR VideoDevice::step(Command& command, Reply&) {
    std::int64_t frames = command.integer("by", 1);
    if (frames < 0)
        return MCIERR_OUTOFRANGE; // backwards is "reverse" with a positive count
    bool key = command.has("key");
    if (command.has("reverse")) {
        if (key)
            return MCIERR_FLAGS_NOT_COMPATIBLE;
        frames = -frames;
    }
    if (command.test())
        return 0;
    m_pending.abort();
    m_seek_note.abort();
    if (playing())
        m_movie->stop();
    std::int64_t from_frame = m_movie->position_frames();
    media::Status status = key ? m_movie->step_to_next_key() : m_movie->step(frames);
    if (status)
        m_rest_us.reset();
    // The engine knows where a key frame lies only once it got there; until then the signals go
    // on from where the step started.
    std::int64_t last_frame = std::max<std::int64_t>(0, m_movie->info().length_frames - 1);
    std::int64_t target =
        key ? position_units() : units(m_movie->info().time_of_frame(std::clamp(from_frame + frames, {}, last_frame)));
    return start_seek(command, status, target);
}

MCIERROR VideoDevice::wait_for_seek(const Command& command) {
    using host::user32::DeviceWait;
    DeviceWait end = host::user32::wait_for_device([this] { return m_movie->wait_seek_done(no_time); },
                                                   command.break_key, seek_timeout);
    if (end == DeviceWait::timed_out)
        return MCIERR_DEVICE_NOT_READY;
    if (end == DeviceWait::broken)
        stop_where_it_is();
    m_outstanding = Outstanding::none;
    return 0;
}

// Before a command that reads or builds on where a seek, a step or the open put the medium: the
// explicit seek's mode may be asked meanwhile ("seeking"), and stop, seek and step replace it.
void VideoDevice::wait_for_result(const Command& command) {
    if (m_outstanding == Outstanding::none || !m_movie)
        return;
    if (m_movie->wait_seek_done(no_time)) {
        m_outstanding = Outstanding::none;
        return;
    }
    const std::string& verb = command.verb;
    if (verb == "stop" || verb == "seek" || verb == "step" || verb == "break")
        return;
    if (m_outstanding == Outstanding::seek && verb == "status" && command.has("mode"))
        return;
    wait_for_seek(command);
}

MCIERROR VideoDevice::signal(Command& command, Reply&) {
    std::int64_t position = position_units();
    if (MCIERROR error = m_signal.configure(command, position))
        return error;
    m_last_signal_position = position;
    if (!command.test() && playing())
        start_ticking();
    return 0;
}

MCIERROR VideoDevice::ratecontrol(Command& command, Reply&) {
    if (!command.has("on") && !command.has("off"))
        return MCIERR_MISSING_PARAMETER;
    if (!command.test())
        m_movie->set_paced(command.has("on"));
    return 0;
}

// Only a play with signal points set needs the look at the position: without any the timer
// would wake the program twenty times a second for nothing.
void VideoDevice::start_ticking() {
    if (m_ticker && !m_ticker->isActive() && m_signal.active())
        m_ticker->start();
}

// GUI thread: posts the signals of the points the position has passed since the last look.
// A position behind the last one is a jump back (a loop of "play ... repeat").
void VideoDevice::tick() {
    if (!m_movie)
        return;
    std::int64_t position = position_units();
    if (position < m_last_signal_position)
        m_signal.jump(position);
    m_signal.advance(position);
    m_last_signal_position = position;
    if ((!playing() || !m_signal.active()) && m_ticker)
        m_ticker->stop();
}

} // namespace mcivideo
