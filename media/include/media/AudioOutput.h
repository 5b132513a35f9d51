#pragma once
// The sound device the engine plays into. The engine delivers interleaved signed 16-bit samples
// through a pull function that the device calls from its own thread whenever it needs more
// (SDL's audio callback). Tests inject their own device to look at the mixed samples.

#include <cstdint>
#include <functional>
#include <memory>

namespace media {

class AudioOutput {
  public:
    // Fills `frames` sample frames of `channels` interleaved int16 values. Called on the device's
    // thread; never blocks for long.
    using Pull = std::function<void(int16_t* samples, int frames)>;

    virtual ~AudioOutput() = default;
    // Starts the device at the given format; the pull function runs until close(). Returns false
    // when no device can be opened (the engine then plays without sound on the system clock).
    virtual bool open(int sample_rate, int channels, Pull pull) = 0;
    // Stops calling pull; after return, pull is never called again.
    virtual void close() = 0;
    // Time between handing samples to the device and hearing them, in microseconds.
    virtual int64_t latency_us() const = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

// The SDL2 audio device (subsystem audio only; honours SDL_AUDIODRIVER, e.g. dummy or disk).
std::unique_ptr<AudioOutput> make_sdl_audio_output();

} // namespace media
