#include "AudioStage.h"

#include "StageInput.h"

#include <algorithm>
#include <chrono>

namespace media {

namespace {

constexpr int64_t drain_poll_us = 20000;

} // namespace

AudioStage::AudioStage(Transport& transport, PacketQueue& input, AudioRing& ring, int sample_rate,
                       int channels)
    : m_transport(transport), m_input(input), m_ring(ring), m_sample_rate(sample_rate), m_channels(channels),
      m_stretch(sample_rate, channels) {}

AudioStage::~AudioStage() {
    av_channel_layout_uninit(&m_input_layout);
}

bool AudioStage::drives_timeline() const {
    return !m_transport.has_video;
}

void AudioStage::run() {
    while (auto item = next_current_item(m_transport, m_input)) {
        int serial = item->serial;
        bool master = false;
        bool has_video = false;
        {
            std::lock_guard lock(m_transport.mutex);
            master = m_transport.audio_is_master();
            has_video = m_transport.has_video;
        }
        // Sound nobody hears (unpaced play of a movie) is not even decoded.
        if (!master && item->packet && has_video)
            continue;
        bool ended = !item->packet;
        m_decoder.decode(*item,
                         [&](AVFrame* frame, int64_t media_us) { handle_frame(frame, media_us, serial); });
        if (ended)
            handle_end(serial);
    }
}

bool AudioStage::resample(AVFrame* frame, AudioChunk& chunk) {
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0 || !av_channel_layout_check(&frame->ch_layout))
        return false; // nothing a resampler could take (a damaged header)
    // A stream may change its sound format midway (joined files, a damaged header): the resampler
    // must be made for the format of the frame at hand, or it reads past the frame's planes.
    bool same_input = m_resampler && m_input_rate == frame->sample_rate && m_input_format == frame->format &&
                      av_channel_layout_compare(&m_input_layout, &frame->ch_layout) == 0;
    if (!same_input || m_resampler_serial != chunk.serial) {
        m_resampler.reset();
        av_channel_layout_uninit(&m_input_layout);
        AVChannelLayout out_layout;
        av_channel_layout_default(&out_layout, m_channels);
        SwrContext* context = nullptr;
        int result =
            swr_alloc_set_opts2(&context, &out_layout, AV_SAMPLE_FMT_S16, m_sample_rate, &frame->ch_layout,
                                static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        m_resampler.reset(context);
        if (result < 0 || swr_init(context) < 0 ||
            av_channel_layout_copy(&m_input_layout, &frame->ch_layout) < 0) {
            m_resampler.reset();
            return false;
        }
        m_input_rate = frame->sample_rate;
        m_input_format = frame->format;
        m_resampler_serial = chunk.serial;
    }
    int capacity = swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (capacity <= 0)
        return false;
    chunk.samples.resize(static_cast<size_t>(capacity) * m_channels);
    uint8_t* out[1] = {reinterpret_cast<uint8_t*>(chunk.samples.data())};
    int frames = swr_convert(m_resampler.get(), out, capacity,
                             const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    if (frames <= 0)
        return false;
    chunk.samples.resize(static_cast<size_t>(frames) * m_channels);
    return true;
}

bool AudioStage::stretch(AudioChunk& chunk, double tempo) {
    if (chunk.serial != m_stretch_serial || tempo != m_stretch_tempo) {
        m_stretch.reset();
        m_stretch_serial = chunk.serial;
        m_stretch_tempo = tempo;
        m_stretch_start_us = chunk.start_us;
        m_stretched_frames = 0;
    }
    if (tempo == 1.0)
        return true;
    std::vector<int16_t> stretched;
    if (!m_stretch.push(chunk.samples, tempo, stretched) || stretched.empty())
        return false;
    chunk.start_us = m_stretch_start_us + static_cast<int64_t>(static_cast<double>(m_stretched_frames) *
                                                               1000000.0 * tempo / m_sample_rate);
    m_stretched_frames += static_cast<int64_t>(stretched.size()) / m_channels;
    chunk.samples = std::move(stretched);
    chunk.tempo = tempo;
    return true;
}

void AudioStage::handle_frame(AVFrame* frame, int64_t media_us, int serial) {
    AudioChunk chunk;
    chunk.serial = serial;
    chunk.start_us = media_us;
    if (!resample(frame, chunk))
        return;
    int64_t frames = static_cast<int64_t>(chunk.samples.size()) / m_channels;
    int64_t end_us = media_us + frames * 1000000 / m_sample_rate;
    double tempo = 1.0;
    {
        std::unique_lock lock(m_transport.mutex);
        auto& transport = m_transport;
        if (serial != transport.serial)
            return;
        int64_t skip_until =
            transport.seek && transport.seek->serial == serial
                ? (transport.seek->kind == SeekKind::End ? INT64_MAX : transport.seek->target_us)
                : INT64_MIN;
        if (end_us <= skip_until) {
            m_last_end_us = end_us;
            return;
        }
        if (skip_until > media_us) {
            auto skip = static_cast<size_t>((skip_until - media_us) * m_sample_rate / 1000000) * m_channels;
            chunk.samples.erase(chunk.samples.begin(),
                                chunk.samples.begin() + std::min(skip, chunk.samples.size()));
            chunk.start_us = skip_until;
        }
        if (drives_timeline()) {
            if (transport.seek && transport.seek->serial == serial)
                transport.finish_seek(chunk.start_us);
            if (transport.range.to_us && chunk.start_us > *transport.range.to_us)
                return; // past the end of the range: handle_end reports it once the ring drains
            if (!transport.audio_output_open) {
                pace_without_device(lock, end_us, serial);
                return;
            }
        }
        if (transport.audio_output_open && transport.paced)
            tempo = transport.rate;
    }
    m_last_end_us = end_us;
    if (!stretch(chunk, tempo))
        return;
    m_ring.push(std::move(chunk), [&] {
        std::lock_guard lock(m_transport.mutex);
        return m_transport.quit || m_transport.serial != serial;
    });
}

void AudioStage::pace_without_device(std::unique_lock<std::mutex>& lock, int64_t end_us, int serial) {
    // Sound alone without a device: keep time on the system clock as if it were heard.
    m_last_end_us = end_us;
    auto& transport = m_transport;
    transport.wait_in_play(lock, serial, [&] { return transport.real_us_until(end_us); });
}

void AudioStage::handle_end(int serial) {
    std::unique_lock lock(m_transport.mutex);
    auto& transport = m_transport;
    if (!drives_timeline() || serial != transport.serial)
        return;
    if (transport.seek && transport.seek->serial == serial)
        transport.finish_seek(std::max<int64_t>(0, m_last_end_us));
    // The end comes when the device has played what is queued; the ring tells no one when it
    // drains, so it is looked at every little while.
    bool reached = transport.wait_in_play(lock, serial, [&] {
        return m_ring.buffered_frames() == 0 || !transport.audio_output_open ? 0 : drain_poll_us;
    });
    if (!reached)
        return;
    transport.exhausted_serial = serial;
    transport.reached_end(serial);
}

} // namespace media
