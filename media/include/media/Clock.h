#pragma once
// The playback clock: media time as a function of a monotonic time source. Plain class, not
// thread-safe; the engine guards it with its transport lock. The audio output re-anchors it
// each time it hands samples to the device (audio is the master); without sound it simply
// runs from the last anchor at the current rate (system clock).

#include <cstdint>
#include <functional>

namespace media {

class PlaybackClock {
  public:
    // Returns monotonic time in microseconds.
    using TimeSource = std::function<int64_t()>;

    // Defaults to std::chrono::steady_clock.
    PlaybackClock();
    explicit PlaybackClock(TimeSource source);

    // Media time in microseconds at this instant.
    int64_t now() const;
    // Anchors media time `media_us` at this instant; keeps the paused state and rate.
    void set(int64_t media_us);
    void set_paused(bool paused);
    bool paused() const { return m_paused; }
    // Speed of media time against real time (1.0 normal, 2.0 fast, 0.5 slow).
    void set_rate(double rate);
    double rate() const { return m_rate; }

  private:
    TimeSource m_source;
    int64_t m_anchor_media = 0;
    int64_t m_anchor_time = 0;
    double m_rate = 1.0;
    bool m_paused = true;
};

} // namespace media
