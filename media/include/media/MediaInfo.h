#pragma once
// What the engine knows about an open medium, fixed at open.

#include <cstdint>
#include <string>

namespace media {

struct MediaInfo {
    std::string format_name;        // FFmpeg's demuxer name, e.g. "mpeg", "avi", "flic"
    int64_t length_us = 0;          // duration of the whole medium (all tracks)
    int64_t length_frames = 0;      // number of video frames (derived from the rate when unknown)
    int64_t nominal_frame_rate = 0; // frames per 1000 seconds (25 fps -> 25000)
    int width = 0;                  // source picture size; 0 without video
    int height = 0;
    int64_t audio_bitrate = 0; // bits per second; 0 when unknown or absent
    int64_t video_bitrate = 0;
    int64_t system_bitrate = 0; // the whole stream: bytes * 8 / duration
    bool has_audio = false;
    bool has_video = false;
    int track_count = 1; // MPEG tracks of a disc image; 1 for a file
    int audio_sample_rate = 0;
    int audio_channels = 0;

    int64_t length_ms() const { return length_us / 1000; }
    // Duration of one frame in microseconds (40000 at 25 fps).
    int64_t frame_duration_us() const;
    int64_t frame_at(int64_t position_us) const;
    // Media time of the start of frame `frame`.
    int64_t time_of_frame(int64_t frame) const;
};

} // namespace media
