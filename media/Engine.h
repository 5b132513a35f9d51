#pragma once
// The owner of one open medium's stages: it creates the queues, the demuxer, the video and audio
// stages and the sound device, starts their threads, and turns the Movie's calls into transport
// changes. Movie forwards to it; see Movie.h for the contracts.

#include "AudioRing.h"
#include "AudioStage.h"
#include "Demuxer.h"
#include "MediaProbe.h"
#include "VideoStage.h"
#include "media/AudioMixer.h"
#include "media/Movie.h"

#include <atomic>
#include <thread>

namespace media {

class Engine {
  public:
    Engine(Probe probe, std::vector<SegmentSource> segments, const OpenOptions& options);
    ~Engine();

    const MediaInfo& info() const { return m_info; }
    FrameQueue& frames() { return m_frames; }
    void set_event_callback(EventCallback callback);
    void set_target_size(int width, int height);
    Mode mode();
    int64_t position_us();

    Status play(const PlayOptions& options);
    Status stop();
    Status pause();
    Status resume();
    Status seek_exact(int64_t target_us, ModeEvent finish);
    Status seek_to_end();
    Status step(int64_t frames);
    Status step_to_next_key();
    Status set_rate(double rate);
    double rate();
    void set_paced(bool paced);
    bool paced();
    void set_mix(MixSettings settings) {
        m_mix_volume = settings.volume;
        m_left = settings.left_on;
        m_right = settings.right_on;
    }
    MixSettings mix() const { return MixSettings{m_mix_volume.load(), m_left.load(), m_right.load()}; }
    bool wait_until(std::chrono::milliseconds timeout, bool (*done)(Mode));
    Status capture_bmp(const std::string& path);
    int decode_errors() const { return m_video_stage ? m_video_stage->decode_errors() : 0; }

  private:
    void start();
    void pull_audio(int16_t* samples, int frames);
    int64_t current_frame_locked() const;

    MediaInfo m_info;
    Transport m_transport;
    PacketQueue m_video_packets;
    PacketQueue m_audio_packets;
    FrameQueue m_frames;
    int m_output_rate = 44100;
    int m_output_channels = 2;
    std::unique_ptr<AudioRing> m_ring;
    std::unique_ptr<AudioOutput> m_output;
    std::unique_ptr<Demuxer> m_demuxer;
    std::unique_ptr<VideoStage> m_video_stage;
    std::unique_ptr<AudioStage> m_audio_stage;
    std::atomic<int> m_mix_volume{1000};
    std::atomic<bool> m_left{true};
    std::atomic<bool> m_right{true};
    std::vector<std::thread> m_threads;
};

} // namespace media
