#include "Demuxer.h"

#include "MediaProbe.h"

#include <algorithm>

namespace media {

namespace {

// The demuxer rests when both queues hold this many packets, or when they hold this many bytes,
// and reads again once one queue is down to half of it (the queue wakes it then), so that it wakes
// once a refill rather than once a packet. It also looks every `rest_look` (the end of the
// medium, a byte limit).
constexpr size_t enough_packets = 48;
constexpr int64_t max_queued_bytes = 16 * 1024 * 1024;
constexpr size_t resume_packets = enough_packets / 2;
constexpr int64_t resume_bytes = max_queued_bytes / 2;
constexpr auto rest_look = std::chrono::milliseconds(100);
// An end seek starts this far before the end and decodes to the last frame.
constexpr int64_t end_seek_lead_us = 3000000;

std::shared_ptr<const StreamSetup> make_setup(const AVFormatContext* format, AVStream* stream,
                                              const SegmentTiming& timing, int segment) {
    auto setup = std::make_shared<StreamSetup>();
    setup->parameters.reset(avcodec_parameters_alloc());
    avcodec_parameters_copy(setup->parameters.get(), stream->codecpar);
    setup->time_base = stream->time_base;
    setup->origin_us = timing.origin_us;
    setup->offset_us = timing.offset_us;
    setup->end_us = timing.offset_us + timing.duration_us;
    setup->segment = segment;
    setup->discontinuous = (format->iformat->flags & AVFMT_TS_DISCONT) != 0;
    return setup;
}

} // namespace

Demuxer::Demuxer(Transport& transport, std::vector<SegmentSource> segments,
                 std::vector<SegmentTiming> timings, PacketQueue* video, PacketQueue* audio)
    : m_transport(transport), m_segments(std::move(segments)), m_timings(std::move(timings)),
      m_video(video ? *video : m_unused), m_audio(audio ? *audio : m_unused), m_wants_video(video != nullptr),
      m_wants_audio(audio != nullptr) {
    auto wake = [&transport] {
        // Under the lock, so that the wake cannot fall between the demuxer's look and its wait.
        { std::lock_guard lock(transport.mutex); }
        transport.changed.notify_all();
    };
    m_video.when_below(resume_packets, wake);
    m_audio.when_below(resume_packets, wake);
}

bool Demuxer::open_segment(size_t index) {
    m_input.reset();
    m_video_index = m_audio_index = -1;
    auto input = open_input(m_segments[index]);
    if (!input)
        return false;
    m_input = std::move(*input);
    m_segment = index;
    m_fresh = true;
    auto* format = m_input->format.get();
    m_video_index = m_wants_video ? best_stream(format, AVMEDIA_TYPE_VIDEO) : -1;
    m_audio_index = m_wants_audio ? best_stream(format, AVMEDIA_TYPE_AUDIO) : -1;
    const auto& timing = m_timings[index];
    m_video_setup =
        m_video_index >= 0 ? make_setup(format, format->streams[m_video_index], timing, int(index)) : nullptr;
    m_audio_setup =
        m_audio_index >= 0 ? make_setup(format, format->streams[m_audio_index], timing, int(index)) : nullptr;
    return true;
}

bool Demuxer::queues_hold(size_t packets, int64_t bytes) const {
    if (m_video.bytes() + m_audio.bytes() > bytes)
        return true;
    bool video_enough = m_video_index < 0 || m_video.count() >= packets;
    bool audio_enough = m_audio_index < 0 || m_audio.count() >= packets;
    return video_enough && audio_enough;
}

bool Demuxer::resting() {
    m_resting = m_resting ? queues_hold(resume_packets, resume_bytes) : queues_hold(enough_packets, max_queued_bytes);
    return m_resting;
}

void Demuxer::run() {
    if (!open_segment(0))
        end_of_medium();
    for (;;) {
        std::optional<SeekRequest> request;
        {
            std::unique_lock lock(m_transport.mutex);
            if (m_transport.quit)
                return;
            if (m_transport.demux_request) {
                request = m_transport.demux_request;
                m_transport.demux_request.reset();
            } else if (m_at_end || !m_input || resting()) {
                m_transport.changed.wait_for(lock, rest_look);
                continue;
            }
        }
        if (request)
            perform_seek(*request);
        else
            read_one();
    }
}

void Demuxer::perform_seek(const SeekRequest& request) {
    m_serial = request.serial;
    m_video.clear();
    m_audio.clear();
    m_resting = false;
    m_at_end = false;
    size_t segment = m_segments.size() - 1;
    int64_t target = request.target_us;
    if (request.kind == SeekKind::End) {
        target = m_timings[segment].offset_us + m_timings[segment].duration_us - end_seek_lead_us;
    } else {
        target -= request.margin_us;
        for (size_t i = 0; i < m_timings.size(); ++i)
            if (target < m_timings[i].offset_us + m_timings[i].duration_us) {
                segment = i;
                break;
            }
    }
    if ((segment != m_segment || !m_input) && !open_segment(segment)) {
        end_of_medium();
        return;
    }
    int64_t local = std::max<int64_t>(0, target - m_timings[segment].offset_us);
    // A failed seek (or one to the very start) reopens the segment: always correct, the decoder
    // then skips to the target.
    if (local == 0 && m_fresh)
        return; // nothing read since the segment was opened: already at its start
    if ((local == 0 || !seek_within(local)) && !open_segment(segment))
        end_of_medium();
}

bool Demuxer::seek_within(int64_t local_us) {
    auto* format = m_input->format.get();
    int index = m_video_index >= 0 ? m_video_index : m_audio_index;
    if (index < 0)
        return false;
    AVStream* stream = format->streams[index];
    int64_t stream_us = m_timings[m_segment].origin_us + local_us;
    int64_t timestamp = av_rescale_q(stream_us, AVRational{1, 1000000}, stream->time_base);
    return avformat_seek_file(format, index, INT64_MIN, timestamp, timestamp, 0) >= 0;
}

void Demuxer::read_one() {
    int result = av_read_frame(m_input->format.get(), m_packet.get());
    if (result == AVERROR(EAGAIN))
        return;
    if (result < 0) {
        // End of this segment (or an unreadable rest): continue with the next one.
        if (m_segment + 1 < m_segments.size() && open_segment(m_segment + 1))
            return;
        end_of_medium();
        return;
    }
    m_fresh = false;
    auto packet = make_packet();
    av_packet_move_ref(packet.get(), m_packet.get());
    if (packet->stream_index == m_video_index)
        m_video.push(PacketItem{std::move(packet), m_video_setup, m_serial});
    else if (packet->stream_index == m_audio_index)
        m_audio.push(PacketItem{std::move(packet), m_audio_setup, m_serial});
}

void Demuxer::end_of_medium() {
    m_at_end = true;
    if (m_wants_video)
        m_video.push(PacketItem{nullptr, m_video_setup, m_serial});
    if (m_wants_audio)
        m_audio.push(PacketItem{nullptr, m_audio_setup, m_serial});
}

} // namespace media
