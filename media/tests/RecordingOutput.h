#pragma once
// A sound device for tests: it pulls from the engine like a sound card and keeps every sample it
// was handed. It runs in real time, or `speed` times faster so that long media play quickly with
// the engine still paced by its sound.

#include "media/AudioOutput.h"
#include "media/Movie.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace media::test {

class RecordingOutput final : public AudioOutput {
  public:
    struct Tape {
        std::mutex mutex;
        std::vector<int16_t> samples;
        int channels = 0;
        int sample_rate = 0;
    };
    explicit RecordingOutput(std::shared_ptr<Tape> tape, double speed = 1.0)
        : m_tape(std::move(tape)), m_speed(speed) {}
    ~RecordingOutput() override { close(); }

    bool open(int sample_rate, int channels, Pull pull) override {
        m_tape->channels = channels;
        m_tape->sample_rate = sample_rate;
        m_running = true;
        m_thread = std::thread([this, sample_rate, channels, pull] {
            std::vector<int16_t> buffer(size_t(block) * channels);
            auto period = std::chrono::microseconds(int64_t(block * 1000000 / (sample_rate * m_speed)));
            auto next = std::chrono::steady_clock::now();
            while (m_running) {
                pull(buffer.data(), block);
                {
                    std::lock_guard lock(m_tape->mutex);
                    m_tape->samples.insert(m_tape->samples.end(), buffer.begin(), buffer.end());
                }
                next += period;
                std::this_thread::sleep_until(next);
            }
        });
        return true;
    }
    void close() override {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
    }
    int64_t latency_us() const override { return 0; }

  private:
    static constexpr int block = 1024;
    std::shared_ptr<Tape> m_tape;
    double m_speed;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

// Options that play into a recording device running `speed` times real time.
inline OpenOptions recording_options(std::shared_ptr<RecordingOutput::Tape> tape, double speed = 1.0) {
    OpenOptions options;
    options.audio_output = [tape, speed] { return std::make_unique<RecordingOutput>(tape, speed); };
    return options;
}

} // namespace media::test
