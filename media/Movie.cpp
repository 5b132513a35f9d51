#include "media/Movie.h"

#include "Engine.h"

namespace media {

namespace {

bool seek_done(Mode mode) {
    return mode != Mode::Seeking;
}
bool play_done(Mode mode) {
    return mode != Mode::Seeking && mode != Mode::Playing;
}
constexpr auto open_settle_time = std::chrono::seconds(10);

} // namespace

Result<std::unique_ptr<Movie>> Movie::open(const std::string& path, OpenOptions options) {
    av_log_set_level(AV_LOG_ERROR);
    auto segments = segments_of(path, options.cue_files);
    if (!segments)
        return segments.error();
    auto probe = probe_medium(*segments);
    if (!probe)
        return probe.error();
    auto engine = std::make_unique<Engine>(std::move(*probe), std::move(*segments), options);
    std::unique_ptr<Movie> movie(new Movie(std::move(engine)));
    if (options.wait_for_first_frame)
        movie->wait_seek_done(open_settle_time);
    return movie;
}

Movie::Movie(std::unique_ptr<Engine> engine) : m_engine(std::move(engine)) {}
Movie::~Movie() = default;

const MediaInfo& Movie::info() const {
    return m_engine->info();
}
void Movie::set_event_callback(EventCallback callback) {
    m_engine->set_event_callback(std::move(callback));
}
FrameQueue& Movie::frames() {
    return m_engine->frames();
}
void Movie::set_target_size(int width, int height) {
    m_engine->set_target_size(width, height);
}
Mode Movie::mode() const {
    return m_engine->mode();
}
int64_t Movie::position_us() const {
    return m_engine->position_us();
}
int64_t Movie::position_frames() const {
    return info().frame_at(position_us());
}

Status Movie::play(const PlayOptions& options) {
    return m_engine->play(options);
}
Status Movie::stop() {
    return m_engine->stop();
}
Status Movie::pause() {
    return m_engine->pause();
}
Status Movie::resume() {
    return m_engine->resume();
}
Status Movie::seek(int64_t position_us) {
    return m_engine->seek_exact(position_us, ModeEvent::SeekToStopped);
}

Status Movie::seek_to_frame(int64_t frame) {
    if (frame < 0 || frame > info().length_frames)
        return make_error(ErrorCode::OutOfRange, "frame outside the medium");
    if (frame >= info().length_frames - 1)
        return seek_to_end();
    // Half a frame early, so rounding of timestamps cannot skip the frame asked for.
    int64_t target = std::max<int64_t>(0, info().time_of_frame(frame) - info().frame_duration_us() / 2);
    return m_engine->seek_exact(target, ModeEvent::SeekToStopped);
}

Status Movie::seek_to_start() {
    return m_engine->seek_exact(0, ModeEvent::SeekToStopped);
}
Status Movie::seek_to_end() {
    return m_engine->seek_to_end();
}
Status Movie::step(int64_t frames) {
    return m_engine->step(frames);
}
Status Movie::step_to_next_key() {
    return m_engine->step_to_next_key();
}
Status Movie::set_rate(double rate) {
    return m_engine->set_rate(rate);
}
double Movie::rate() const {
    return m_engine->rate();
}
void Movie::set_paced(bool paced) {
    m_engine->set_paced(paced);
}
bool Movie::paced() const {
    return m_engine->paced();
}

void Movie::set_volume(int volume) {
    auto mix = m_engine->mix();
    mix.volume = clamp_volume(volume);
    m_engine->set_mix(mix);
}

int Movie::volume() const {
    return m_engine->mix().volume;
}

void Movie::set_channel(Channel channel, bool on) {
    auto mix = m_engine->mix();
    (channel == Channel::Left ? mix.left_on : mix.right_on) = on;
    m_engine->set_mix(mix);
}

bool Movie::channel(Channel channel) const {
    auto mix = m_engine->mix();
    return channel == Channel::Left ? mix.left_on : mix.right_on;
}

bool Movie::wait_seek_done(std::chrono::milliseconds timeout) {
    return m_engine->wait_until(timeout, seek_done);
}
bool Movie::wait_play_done(std::chrono::milliseconds timeout) {
    return m_engine->wait_until(timeout, play_done);
}
Status Movie::capture_bmp(const std::string& path) {
    return m_engine->capture_bmp(path);
}
int Movie::decode_errors() const {
    return m_engine->decode_errors();
}

} // namespace media
