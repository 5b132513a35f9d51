#pragma once
// Decoded, resampled sound waiting for the device: chunks of interleaved int16 samples with the
// media time of their first sample and their seek serial. The audio decode thread pushes (and
// waits for room); the device thread pulls. Thread-safe.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace media {

struct AudioChunk {
    std::vector<int16_t> samples;
    int64_t start_us = 0;
    int serial = 0;
    double tempo = 1.0; // media time per sample time: 2 when stretched for twice the speed
};

class AudioRing {
  public:
    AudioRing(int sample_rate, int channels, int64_t capacity_us);

    // Waits for room: a full ring takes chunks again once it is down to half, so that the decoder
    // wakes once a refill rather than once a pull. Gives up and returns false when `abandon()`
    // turns true, asked (without the ring's lock held) after each wake() and every 100 ms.
    bool push(AudioChunk chunk, const std::function<bool()>& abandon);
    // Ends a push's wait, so that it asks `abandon()` again (a new seek serial, quit).
    void wake();
    // Copies up to `frames` sample frames of `serial` into `out` (chunks of other serials are
    // dropped). Returns the frames copied; `end_us` receives the media time after the last one.
    int pull(int16_t* out, int frames, int serial, int64_t& end_us);
    void clear();
    int64_t buffered_frames() const;

  private:
    int m_sample_rate;
    int m_channels;
    int64_t m_capacity_frames;
    mutable std::mutex m_mutex;
    std::condition_variable m_room;
    std::deque<AudioChunk> m_chunks;
    size_t m_read_offset = 0; // samples already taken from the front chunk
    int64_t m_frames = 0;
    unsigned m_wakes = 0;
};

} // namespace media
