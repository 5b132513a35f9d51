#include "AudioRing.h"

#include <algorithm>
#include <cstring>

namespace media {

AudioRing::AudioRing(int sample_rate, int channels, int64_t capacity_us)
    : m_sample_rate(sample_rate), m_channels(channels),
      m_capacity_frames(sample_rate * capacity_us / 1000000) {}

bool AudioRing::push(AudioChunk chunk, const std::function<bool()>& abandon) {
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            // Sound of an earlier seek generation will never be played: make room by dropping it.
            while (!m_chunks.empty() && m_chunks.front().serial != chunk.serial) {
                m_frames -=
                    static_cast<int64_t>(m_chunks.front().samples.size() - m_read_offset) / m_channels;
                m_chunks.pop_front();
                m_read_offset = 0;
            }
            if (m_frames >= m_capacity_frames) {
                unsigned const wakes = m_wakes;
                m_room.wait_for(lock, std::chrono::milliseconds(100),
                                [&] { return m_frames <= m_capacity_frames / 2 || m_wakes != wakes; });
            }
            if (m_frames < m_capacity_frames) {
                m_frames += static_cast<int64_t>(chunk.samples.size()) / m_channels;
                m_chunks.push_back(std::move(chunk));
                return true;
            }
        }
        // Asked without the ring's lock: `abandon` takes the transport lock, which comes first
        // in the engine's lock order (Transport.h).
        if (abandon())
            return false;
    }
}

int AudioRing::pull(int16_t* out, int frames, int serial, int64_t& end_us) {
    int done = 0;
    bool room = false;
    {
        std::lock_guard lock(m_mutex);
        while (done < frames && !m_chunks.empty()) {
            auto& chunk = m_chunks.front();
            size_t available = chunk.samples.size() - m_read_offset;
            if (chunk.serial != serial || available == 0) {
                m_frames -= static_cast<int64_t>(available) / m_channels;
                m_chunks.pop_front();
                m_read_offset = 0;
                continue;
            }
            size_t wanted = static_cast<size_t>(frames - done) * m_channels;
            size_t count = std::min(available, wanted);
            std::memcpy(out + static_cast<size_t>(done) * m_channels, chunk.samples.data() + m_read_offset,
                        count * sizeof(int16_t));
            m_read_offset += count;
            done += static_cast<int>(count / m_channels);
            m_frames -= static_cast<int64_t>(count) / m_channels;
            end_us = chunk.start_us + static_cast<int64_t>(static_cast<double>(m_read_offset / m_channels) *
                                                           1000000.0 * chunk.tempo / m_sample_rate);
            if (m_read_offset == chunk.samples.size()) {
                m_chunks.pop_front();
                m_read_offset = 0;
            }
        }
        room = m_frames <= m_capacity_frames / 2;
    }
    if (room)
        m_room.notify_all();
    return done;
}

void AudioRing::wake() {
    {
        std::lock_guard lock(m_mutex);
        ++m_wakes;
    }
    m_room.notify_all();
}

void AudioRing::clear() {
    {
        std::lock_guard lock(m_mutex);
        m_chunks.clear();
        m_read_offset = 0;
        m_frames = 0;
    }
    m_room.notify_all();
}

int64_t AudioRing::buffered_frames() const {
    std::lock_guard lock(m_mutex);
    return m_frames;
}

} // namespace media
