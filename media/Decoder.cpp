#include "Decoder.h"

#include <algorithm>
#include <cstdlib>

namespace media {

namespace {

// In a sound MPEG stream a frame lands within a frame or two of where the one before it ends
// (the system layer carries a timestamp at least every 0.7 s); a further jump is damage or a
// join of two files.
constexpr int64_t max_timestamp_jump_us = 1000000;

} // namespace

bool Decoder::open_for(const std::shared_ptr<const StreamSetup>& setup) {
    m_context.reset();
    m_setup = setup;
    const AVCodec* codec = avcodec_find_decoder(setup->parameters->codec_id);
    if (!codec)
        return false;
    AVCodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), setup->parameters.get()) < 0)
        return false;
    context->pkt_timebase = setup->time_base;
    context->thread_count = m_threads;
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return false;
    m_context = std::move(context);
    return true;
}

void Decoder::flush() {
    if (m_context)
        avcodec_flush_buffers(m_context.get());
    m_expecting = false;
}

int64_t Decoder::checked_time(int64_t stamped_us) {
    if (!m_setup->discontinuous)
        return stamped_us;
    // Never beyond the segment: a damaged timestamp hours ahead would hold play for hours.
    int64_t first = m_setup->offset_us - max_timestamp_jump_us;
    int64_t last = m_setup->end_us + max_timestamp_jump_us;
    bool inside = stamped_us >= first && stamped_us <= last;
    if (!m_expecting) // the first frame since a seek: only the segment to go by
        return inside ? stamped_us
                      : std::clamp(stamped_us, m_setup->offset_us,
                                   std::max(m_setup->offset_us, m_setup->end_us));
    // A timestamp that follows on from the frames before, or from the last frame's own timestamp
    // (the time line really jumped a frame ago), is taken; one out of line with both is damage
    // and the frame is placed where it is due.
    bool follows = std::abs(stamped_us - m_next_us) <= max_timestamp_jump_us ||
                   std::abs(stamped_us - m_next_raw_us) <= max_timestamp_jump_us;
    return inside && follows ? stamped_us : m_next_us;
}

void Decoder::receive(const FrameHandler& handler) {
    for (;;) {
        int result = avcodec_receive_frame(m_context.get(), m_frame.get());
        if (result < 0)
            return;
        int64_t timestamp = m_frame->best_effort_timestamp;
        int64_t stamped = timestamp == AV_NOPTS_VALUE ? m_next_us : m_setup->media_us(timestamp);
        int64_t media = checked_time(stamped);
        int64_t duration = 0;
        if (m_frame->pkt_duration > 0)
            duration = av_rescale_q(m_frame->pkt_duration, m_setup->time_base, AVRational{1, 1000000});
        else if (m_frame->sample_rate > 0)
            duration = int64_t(m_frame->nb_samples) * 1000000 / m_frame->sample_rate;
        if (m_setup->discontinuous)
            duration = std::clamp<int64_t>(duration, 0, max_timestamp_jump_us);
        m_next_us = media + duration;
        m_next_raw_us = stamped + duration;
        m_expecting = true;
        if (m_frame->decode_error_flags != 0 || (m_frame->flags & AV_FRAME_FLAG_CORRUPT))
            ++m_errors;
        handler(m_frame.get(), media);
        av_frame_unref(m_frame.get());
    }
}

void Decoder::drain(const FrameHandler& handler) {
    if (!m_context)
        return;
    if (avcodec_send_packet(m_context.get(), nullptr) >= 0)
        receive(handler);
    avcodec_flush_buffers(m_context.get());
}

bool Decoder::decode(const PacketItem& item, const FrameHandler& handler) {
    if (item.serial != m_serial) {
        flush();
        m_serial = item.serial;
    }
    if (!item.packet) {
        drain(handler);
        return true;
    }
    if (item.setup != m_setup) {
        drain(handler);
        if (!open_for(item.setup))
            return false;
    }
    if (!m_context)
        return false;
    int result = avcodec_send_packet(m_context.get(), item.packet.get());
    if (result < 0 && result != AVERROR(EAGAIN))
        ++m_errors;
    receive(handler);
    return true;
}

} // namespace media
