#include "Engine.h"

#include "BmpWriter.h"

#include <algorithm>
#include <cstring>

namespace media {

namespace {

constexpr int64_t audio_ring_capacity_us = 300000;

Error not_ready() {
    return make_error(ErrorCode::NotReady, "the medium is not open");
}

} // namespace

Engine::Engine(Probe probe, std::vector<SegmentSource> segments, const OpenOptions& options)
    : m_info(probe.info), m_frames(options.frame_queue_capacity) {
    m_transport.callback = options.events;
    m_transport.has_video = m_info.has_video;
    if (m_info.has_audio) {
        // The sound goes out at the stream's own format unless the owner asks for another; the
        // resampler converts rate and channel layout (mono mixes both channels).
        m_output_rate = options.audio_sample_rate > 0  ? options.audio_sample_rate
                        : m_info.audio_sample_rate > 0 ? m_info.audio_sample_rate
                                                       : 44100;
        m_output_channels =
            std::clamp(options.audio_channels > 0 ? options.audio_channels : m_info.audio_channels, 1, 2);
        m_ring = std::make_unique<AudioRing>(m_output_rate, m_output_channels, audio_ring_capacity_us);
        if (options.audio_output)
            m_output = options.audio_output();
        if (m_output && m_output->open(m_output_rate, m_output_channels,
                                       [this](int16_t* samples, int frames) { pull_audio(samples, frames); }))
            m_transport.audio_output_open = true;
        else
            m_output.reset();
        m_audio_stage = std::make_unique<AudioStage>(m_transport, m_audio_packets, *m_ring, m_output_rate,
                                                     m_output_channels);
        // A sound chunk waiting for room in the ring may be stale now.
        m_transport.serial_changed = [ring = m_ring.get()] { ring->wake(); };
    }
    if (m_info.has_video)
        m_video_stage = std::make_unique<VideoStage>(m_transport, m_video_packets, m_frames, m_info,
                                                     options.decode_threads, options.pixel_source);
    m_demuxer = std::make_unique<Demuxer>(m_transport, std::move(segments), std::move(probe.timings),
                                          m_video_stage ? &m_video_packets : nullptr,
                                          m_audio_stage ? &m_audio_packets : nullptr);
    start();
}

Engine::~Engine() {
    {
        std::lock_guard lock(m_transport.mutex);
        m_transport.quit = true;
        m_transport.callback = nullptr;
        m_transport.wake_stages();
    }
    for (auto& thread : m_threads)
        thread.join();
    if (m_output)
        m_output->close();
}

void Engine::start() {
    {
        std::lock_guard lock(m_transport.mutex);
        m_transport.apply(ModeEvent::Opened);
        // Open shows the first frame: an exact seek to the start positions every stage.
        m_transport.start_seek(0, SeekKind::Exact, ModeEvent::SeekToStopped);
    }
    m_threads.emplace_back([this] { m_demuxer->run(); });
    if (m_video_stage)
        m_threads.emplace_back([this] { m_video_stage->run(); });
    if (m_audio_stage)
        m_threads.emplace_back([this] { m_audio_stage->run(); });
}

void Engine::pull_audio(int16_t* samples, int frames) {
    std::memset(samples, 0, static_cast<size_t>(frames) * m_output_channels * sizeof(int16_t));
    int serial;
    {
        std::lock_guard lock(m_transport.mutex);
        if (m_transport.machine.mode() != Mode::Playing || !m_transport.audio_is_master())
            return;
        serial = m_transport.serial;
    }
    int64_t end_us = 0;
    int got = m_ring->pull(samples, frames, serial, end_us);
    if (got <= 0)
        return;
    apply_mix(samples, got, m_output_channels, mix());
    std::lock_guard lock(m_transport.mutex);
    // The device is the master clock: what it was just handed is heard after its latency, which
    // holds that much more media time at a faster rate.
    if (serial == m_transport.serial && m_transport.machine.mode() == Mode::Playing)
        m_transport.clock.set(
            end_us - static_cast<int64_t>(static_cast<double>(m_output->latency_us()) * m_transport.rate));
}

void Engine::set_event_callback(EventCallback callback) {
    std::lock_guard lock(m_transport.mutex);
    m_transport.callback = std::move(callback);
}

void Engine::set_target_size(int width, int height) {
    if (m_video_stage)
        m_video_stage->set_target_size(std::max(0, width), std::max(0, height));
}

Mode Engine::mode() {
    std::lock_guard lock(m_transport.mutex);
    Mode mode = m_transport.machine.mode();
    // The seek that starts a play (from a position, or a loop) is part of the play: the owner sees
    // a playing medium from the moment it asked, and a paused one once it paused.
    if (mode == Mode::Seeking && m_transport.seek) {
        if (m_transport.seek->finish == ModeEvent::SeekToPlaying)
            return Mode::Playing;
        if (m_transport.seek->finish == ModeEvent::SeekToPaused)
            return Mode::Paused;
    }
    return mode;
}

int64_t Engine::position_us() {
    std::lock_guard lock(m_transport.mutex);
    // While a seek runs, the medium is where it goes: a play from a position starts there.
    if (m_transport.seek && m_transport.seek->kind == SeekKind::Exact)
        return m_transport.seek->target_us;
    if (m_info.has_video)
        return m_transport.position_us;
    return std::clamp<int64_t>(m_transport.clock.now(), 0, m_info.length_us);
}

Status Engine::play(const PlayOptions& options) {
    std::lock_guard lock(m_transport.mutex);
    auto& transport = m_transport;
    Mode mode = transport.machine.mode();
    if (mode == Mode::NotReady)
        return not_ready();
    int64_t from = options.from_us.value_or(0);
    // Without `from`, play starts on the frame on screen; a `to` before it is refused.
    int64_t start = options.from_us ? from : transport.position_us;
    if (from < 0 || from > m_info.length_us || (options.to_us && *options.to_us < start))
        return make_error(ErrorCode::OutOfRange, "play range outside the medium");
    // A play that ran out rests at its end point; only one that ran to the medium's end starts
    // over when asked to repeat.
    const PlayRange previous = transport.range;
    const bool ended_inside = mode == Mode::Ended && previous.to_us && *previous.to_us < m_info.length_us;
    transport.range = PlayRange{from, options.to_us, options.repeat};
    if (options.from_us || (mode == Mode::Ended && options.repeat && !ended_inside)) {
        transport.start_seek(from, SeekKind::Exact, ModeEvent::SeekToPlaying);
    } else if (mode == Mode::Ended || transport.exhausted_serial == transport.serial) {
        // The stages have run out of this serial; start them again on the frame on screen.
        int64_t here = ended_inside                ? *previous.to_us
                       : m_info.has_video         ? transport.position_us
                                                  : transport.clock.now();
        transport.start_seek(here, SeekKind::Exact, ModeEvent::SeekToPlaying);
    } else if (mode == Mode::Seeking && transport.seek) {
        transport.seek->finish = ModeEvent::SeekToPlaying;
    } else {
        transport.apply(ModeEvent::Play);
    }
    transport.changed.notify_all();
    return Ok{};
}

Status Engine::stop() {
    std::lock_guard lock(m_transport.mutex);
    auto& transport = m_transport;
    if (transport.machine.mode() == Mode::NotReady)
        return not_ready();
    // A seek under way still puts its frame on screen, but the medium is stopped from now on.
    if (transport.seek)
        transport.seek->finish = ModeEvent::SeekToStopped;
    transport.apply(ModeEvent::Stop);
    return Ok{};
}

Status Engine::pause() {
    std::lock_guard lock(m_transport.mutex);
    auto& transport = m_transport;
    switch (transport.machine.mode()) {
    case Mode::NotReady:
        return not_ready();
    case Mode::Seeking:
        if (transport.seek && transport.seek->finish == ModeEvent::SeekToPlaying)
            transport.seek->finish = ModeEvent::SeekToPaused;
        return Ok{};
    case Mode::Playing:
        transport.apply(ModeEvent::Pause);
        return Ok{};
    default:
        return Ok{}; // pausing what does not move changes nothing
    }
}

Status Engine::resume() {
    std::lock_guard lock(m_transport.mutex);
    auto& transport = m_transport;
    switch (transport.machine.mode()) {
    case Mode::NotReady:
        return not_ready();
    case Mode::Paused:
        transport.apply(ModeEvent::Resume);
        return Ok{};
    case Mode::Playing:
        return Ok{};
    case Mode::Seeking:
        if (transport.seek && transport.seek->finish == ModeEvent::SeekToPaused) {
            transport.seek->finish = ModeEvent::SeekToPlaying;
            return Ok{};
        }
        [[fallthrough]];
    default:
        return make_error(ErrorCode::NotApplicable, "nothing paused to resume");
    }
}

Status Engine::seek_exact(int64_t target_us, ModeEvent finish) {
    std::lock_guard lock(m_transport.mutex);
    if (m_transport.machine.mode() == Mode::NotReady)
        return not_ready();
    if (target_us < 0 || target_us > m_info.length_us)
        return make_error(ErrorCode::OutOfRange, "position outside the medium");
    m_transport.range = PlayRange{};
    m_transport.start_seek(target_us, SeekKind::Exact, finish);
    if (m_ring)
        m_ring->clear();
    return Ok{};
}

Status Engine::seek_to_end() {
    std::lock_guard lock(m_transport.mutex);
    if (m_transport.machine.mode() == Mode::NotReady)
        return not_ready();
    m_transport.range = PlayRange{};
    m_transport.start_seek(m_info.length_us, SeekKind::End, ModeEvent::SeekToStopped);
    if (m_ring)
        m_ring->clear();
    return Ok{};
}

int64_t Engine::current_frame_locked() const {
    // While a seek runs, its target is where the next step starts from.
    int64_t base = m_transport.seek && m_transport.seek->kind == SeekKind::Exact
                       ? m_transport.seek->target_us + m_info.frame_duration_us() / 2
                       : m_transport.position_us;
    return m_info.frame_at(base);
}

Status Engine::step(int64_t frames) {
    int64_t target;
    {
        std::lock_guard lock(m_transport.mutex);
        if (m_transport.machine.mode() == Mode::NotReady)
            return not_ready();
        if (!m_info.has_video)
            return make_error(ErrorCode::NoVideo, "no frames to step through");
        int64_t last = std::max<int64_t>(0, m_info.length_frames - 1);
        int64_t frame = std::clamp<int64_t>(current_frame_locked() + frames, 0, last);
        target = std::max<int64_t>(0, m_info.time_of_frame(frame) - m_info.frame_duration_us() / 2);
    }
    return seek_exact(target, ModeEvent::SeekToPaused);
}

Status Engine::step_to_next_key() {
    std::lock_guard lock(m_transport.mutex);
    if (m_transport.machine.mode() == Mode::NotReady)
        return not_ready();
    if (!m_info.has_video)
        return make_error(ErrorCode::NoVideo, "no frames to step through");
    m_transport.range = PlayRange{};
    m_transport.start_seek(m_transport.position_us + 1, SeekKind::NextKey, ModeEvent::SeekToPaused);
    if (m_ring)
        m_ring->clear();
    return Ok{};
}

Status Engine::set_rate(double rate) {
    if (!(rate > 0.0) || rate > 100.0)
        return make_error(ErrorCode::OutOfRange, "play rate out of range");
    std::lock_guard lock(m_transport.mutex);
    m_transport.rate = rate;
    m_transport.clock.set_rate(rate);
    if (m_ring)
        m_ring->clear(); // sound queued for another speed is stale
    m_transport.changed.notify_all();
    return Ok{};
}

double Engine::rate() {
    std::lock_guard lock(m_transport.mutex);
    return m_transport.rate;
}

void Engine::set_paced(bool paced) {
    std::lock_guard lock(m_transport.mutex);
    if (m_transport.paced == paced)
        return;
    m_transport.paced = paced;
    if (m_info.has_video)
        m_transport.clock.set(m_transport.position_us);
    if (m_ring)
        m_ring->clear();
    m_transport.changed.notify_all();
}

bool Engine::paced() {
    std::lock_guard lock(m_transport.mutex);
    return m_transport.paced;
}

bool Engine::wait_until(std::chrono::milliseconds timeout, bool (*done)(Mode)) {
    std::unique_lock lock(m_transport.mutex);
    // A look without waiting (a caller polling between its own events) makes no futex wait: one
    // with a time already past still goes through the scheduler.
    if (timeout.count() <= 0)
        return done(m_transport.machine.mode());
    return m_transport.changed.wait_for(lock, timeout, [&] { return done(m_transport.machine.mode()); });
}

Status Engine::capture_bmp(const std::string& path) {
    if (!m_video_stage)
        return make_error(ErrorCode::NoVideo, "the medium has no picture");
    auto frame = m_video_stage->screen_frame();
    if (!frame)
        return make_error(ErrorCode::NoFrame, "no frame on screen yet");
    return write_bmp(frame.get(), path);
}

} // namespace media
