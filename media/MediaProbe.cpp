#include "MediaProbe.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {

constexpr AVRational microseconds{1, 1000000};

} // namespace

int best_stream(AVFormatContext* format, AVMediaType type) {
    const AVCodec* decoder = nullptr;
    int index = av_find_best_stream(format, type, -1, -1, &decoder, 0);
    if (index < 0 || !decoder)
        return -1; // absent, or nothing here can decode it
    if (format->streams[index]->disposition & AV_DISPOSITION_ATTACHED_PIC)
        return -1; // cover art is not a movie
    return index;
}

namespace {

int64_t stream_start_us(AVStream* stream) {
    return stream->start_time == AV_NOPTS_VALUE
               ? AV_NOPTS_VALUE
               : av_rescale_q(stream->start_time, stream->time_base, microseconds);
}

// Media time 0 of a segment: its first video frame, else its first sound, else the container's start.
int64_t origin_of(AVFormatContext* format, int video, int audio) {
    if (video >= 0 && stream_start_us(format->streams[video]) != AV_NOPTS_VALUE)
        return stream_start_us(format->streams[video]);
    if (audio >= 0 && stream_start_us(format->streams[audio]) != AV_NOPTS_VALUE)
        return stream_start_us(format->streams[audio]);
    return format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
}

// End of a segment: its video's end when known, so the next track's frames follow on the same
// frame grid; else the container's end.
int64_t end_of(AVFormatContext* format, int video, int audio) {
    if (video >= 0) {
        AVStream* stream = format->streams[video];
        int64_t start = stream_start_us(stream);
        if (stream->duration > 0 && start != AV_NOPTS_VALUE)
            return start + av_rescale_q(stream->duration, stream->time_base, microseconds);
    }
    if (format->duration > 0) {
        int64_t start = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
        return start + format->duration;
    }
    int64_t end = 0;
    for (int index : {video, audio}) {
        if (index < 0)
            continue;
        AVStream* stream = format->streams[index];
        if (stream->duration > 0) {
            int64_t start = stream_start_us(stream) == AV_NOPTS_VALUE ? 0 : stream_start_us(stream);
            end = std::max(end, start + av_rescale_q(stream->duration, stream->time_base, microseconds));
        }
    }
    return end;
}

// For containers that do not say how long they are (FLI/FLC): read every packet of the stream.
// Returns the end in stream microseconds and counts the packets into `frames`.
int64_t scan_end(AVFormatContext* format, int index, int64_t& frames) {
    AVStream* stream = format->streams[index];
    auto packet = make_packet();
    int64_t end = 0;
    frames = 0;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == index) {
            ++frames;
            int64_t timestamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (timestamp != AV_NOPTS_VALUE)
                end = std::max(end, av_rescale_q(timestamp + std::max<int64_t>(packet->duration, 0),
                                                 stream->time_base, microseconds));
        }
        av_packet_unref(packet.get());
    }
    // A packet without a duration still lasts one frame.
    AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    if (frames > 0 && rate.num > 0 && end < av_rescale_q(frames, av_inv_q(rate), microseconds))
        end = av_rescale_q(frames, av_inv_q(rate), microseconds);
    return end;
}

void describe_streams(AVFormatContext* format, int video, int audio, MediaInfo& info) {
    info.format_name = format->iformat->name;
    if (video >= 0) {
        AVStream* stream = format->streams[video];
        info.has_video = true;
        info.width = stream->codecpar->width;
        info.height = stream->codecpar->height;
        AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            info.nominal_frame_rate = static_cast<int64_t>(std::llround(av_q2d(rate) * 1000.0));
        info.video_bitrate = stream->codecpar->bit_rate;
        if (stream->nb_frames > 0)
            info.length_frames = stream->nb_frames;
    }
    if (audio >= 0) {
        AVStream* stream = format->streams[audio];
        info.has_audio = true;
        info.audio_bitrate = stream->codecpar->bit_rate;
        info.audio_sample_rate = stream->codecpar->sample_rate;
        info.audio_channels = stream->codecpar->ch_layout.nb_channels;
    }
}

} // namespace

Result<Probe> probe_medium(const std::vector<SegmentSource>& segments) {
    Probe probe;
    int64_t total_bytes = 0;
    int64_t container_us = 0;      // sum of the containers' own durations
    int64_t container_bitrate = 0; // the container's own figure, for a single segment
    int64_t frames_from_containers = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        auto input = open_input(segments[i]);
        if (!input)
            return input.error();
        AVFormatContext* format = (*input)->format.get();
        int video = best_stream(format, AVMEDIA_TYPE_VIDEO);
        int audio = best_stream(format, AVMEDIA_TYPE_AUDIO);
        if (video < 0 && audio < 0)
            return make_error(ErrorCode::CorruptFile, "no sound or picture in " + segments[i].path);
        MediaInfo segment_info;
        describe_streams(format, video, audio, segment_info);
        frames_from_containers += segment_info.length_frames;
        SegmentTiming timing;
        timing.origin_us = origin_of(format, video, audio);
        timing.offset_us = probe.info.length_us;
        int64_t end = end_of(format, video, audio);
        if (end <= 0 && (video >= 0 || audio >= 0)) {
            int64_t packets = 0;
            end = scan_end(format, video >= 0 ? video : audio, packets);
            if (video >= 0)
                segment_info.length_frames = packets;
            frames_from_containers += packets;
        }
        timing.duration_us = std::max<int64_t>(0, end - timing.origin_us);
        if (i == 0) {
            int64_t length = probe.info.length_us;
            probe.info = segment_info;
            probe.info.length_us = length;
        }
        probe.info.length_us += timing.duration_us;
        probe.timings.push_back(timing);
        total_bytes += (*input)->payload_size;
        probe.bytes_read += (*input)->cursor->bytes_read;
        container_us += format->duration > 0 ? format->duration : timing.duration_us;
        container_bitrate = format->bit_rate;
    }
    auto& info = probe.info;
    // The parts of one program stream whose clock started again are one track.
    info.track_count = static_cast<int>(std::ranges::count_if(
        segments, [](const SegmentSource& segment) { return !segment.continues_previous; }));
    // The whole stream's rate as FFmpeg (and ffprobe) state it: bytes * 8 over the container's duration.
    if (segments.size() == 1 && container_bitrate > 0)
        info.system_bitrate = container_bitrate;
    else if (container_us > 0)
        info.system_bitrate =
            static_cast<int64_t>(std::llround(double(total_bytes) * 8e6 / double(container_us)));
    info.length_frames = segments.size() == 1 && frames_from_containers > 0 ? frames_from_containers
                                                                            : info.frame_at(info.length_us);
    return probe;
}

} // namespace media
