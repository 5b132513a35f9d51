// AudioOutput on SDL2's audio subsystem. Each instance initialises the subsystem (SDL counts
// the references) and opens its own device.

#include "media/AudioOutput.h"

#include <SDL.h>

namespace media {

namespace {

constexpr int device_buffer_frames = 1024;

class SdlAudioOutput final : public AudioOutput {
  public:
    ~SdlAudioOutput() override { close(); }

    bool open(int sample_rate, int channels, Pull pull) override {
        close();
        // SDL would otherwise take over SIGINT and SIGTERM for its event queue, which nothing
        // here reads: the program could then no longer be stopped or logged off.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_initialised = true;
        m_pull = std::move(pull);
        m_channels = channels;
        SDL_AudioSpec wanted{};
        wanted.freq = sample_rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = static_cast<Uint8>(channels);
        wanted.samples = device_buffer_frames;
        wanted.callback = &SdlAudioOutput::callback;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (m_device == 0) {
            close();
            return false;
        }
        m_latency_us = static_cast<int64_t>(obtained.samples) * 2 * 1000000 / sample_rate;
        SDL_PauseAudioDevice(m_device, 0);
        return true;
    }

    void close() override {
        if (m_device != 0) {
            SDL_CloseAudioDevice(m_device); // waits for a running callback
            m_device = 0;
        }
        if (m_initialised) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            m_initialised = false;
        }
    }

    int64_t latency_us() const override { return m_latency_us; }

  private:
    static void callback(void* userdata, Uint8* stream, int length) {
        auto* self = static_cast<SdlAudioOutput*>(userdata);
        int frames = length / (2 * self->m_channels);
        self->m_pull(reinterpret_cast<int16_t*>(stream), frames);
    }

    SDL_AudioDeviceID m_device = 0;
    bool m_initialised = false;
    int m_channels = 2;
    int64_t m_latency_us = 0;
    Pull m_pull;
};

} // namespace

std::unique_ptr<AudioOutput> make_sdl_audio_output() {
    return std::make_unique<SdlAudioOutput>();
}

} // namespace media
