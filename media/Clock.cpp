#include "media/Clock.h"

#include <chrono>
#include <cmath>

namespace media {

namespace {

int64_t steady_microseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

PlaybackClock::PlaybackClock() : PlaybackClock(steady_microseconds) {}

PlaybackClock::PlaybackClock(TimeSource source) : m_source(std::move(source)) {
    m_anchor_time = m_source();
}

int64_t PlaybackClock::now() const {
    if (m_paused)
        return m_anchor_media;
    auto elapsed = m_source() - m_anchor_time;
    return m_anchor_media + static_cast<int64_t>(std::llround(static_cast<double>(elapsed) * m_rate));
}

void PlaybackClock::set(int64_t media_us) {
    m_anchor_media = media_us;
    m_anchor_time = m_source();
}

void PlaybackClock::set_paused(bool paused) {
    if (paused == m_paused)
        return;
    // Re-anchor so that the time spent paused does not count and resuming continues in place.
    auto current = now();
    m_paused = paused;
    set(current);
}

void PlaybackClock::set_rate(double rate) {
    if (rate <= 0)
        return;
    auto current = now();
    m_rate = rate;
    set(current);
}

} // namespace media
