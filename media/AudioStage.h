#pragma once
// The audio stage: decodes sound packets, resamples them to the device's format, trims what a
// seek skips, stretches it to the play rate away from normal speed (at its own pitch) and queues
// the rest in the AudioRing for the device. When the medium has no video
// it also completes seeks and reports the end. Runs on its own thread (run()).

#include "AudioRing.h"
#include "Decoder.h"
#include "PacketQueue.h"
#include "TempoStretch.h"
#include "Transport.h"

namespace media {

class AudioStage {
  public:
    AudioStage(Transport& transport, PacketQueue& input, AudioRing& ring, int sample_rate, int channels);
    ~AudioStage();
    AudioStage(const AudioStage&) = delete;
    AudioStage& operator=(const AudioStage&) = delete;
    void run();

  private:
    void handle_frame(AVFrame* frame, int64_t media_us, int serial);
    bool resample(AVFrame* frame, AudioChunk& chunk);
    void handle_end(int serial);
    // Away from normal speed: `chunk` stretched to `tempo`, its start the media time of its first
    // stretched sample. False when nothing is ready yet.
    bool stretch(AudioChunk& chunk, double tempo);
    void pace_without_device(std::unique_lock<std::mutex>& lock, int64_t end_us, int serial);
    bool drives_timeline() const; // with the transport locked

    Transport& m_transport;
    PacketQueue& m_input;
    AudioRing& m_ring;
    int m_sample_rate;
    int m_channels;
    Decoder m_decoder{1};
    SwrContextPtr m_resampler;
    int m_resampler_serial = -1;
    // The input format the resampler was made for.
    AVChannelLayout m_input_layout{};
    int m_input_rate = 0;
    int m_input_format = -1;
    int64_t m_last_end_us = 0;
    TempoStretch m_stretch;
    int m_stretch_serial = -1;
    double m_stretch_tempo = 1.0;
    int64_t m_stretch_start_us = 0; // media time of the first sample given to the filter
    int64_t m_stretched_frames = 0; // frames it gave back since
};

} // namespace media
