#include "TimeFormat.h"

namespace mcivideo {

namespace {

// Frames per 1000 s; media counts frames of a medium without video at 25 per second too.
std::int64_t frame_rate(const media::MediaInfo& info) {
    return info.nominal_frame_rate > 0 ? info.nominal_frame_rate : 25000;
}

} // namespace

bool is_supported_time_format(std::int64_t format) {
    return format == MCI_FORMAT_MILLISECONDS || format == MCI_FORMAT_FRAMES;
}

std::int64_t to_units(std::int64_t position_us, UINT format, const media::MediaInfo& info) {
    if (format != MCI_FORMAT_FRAMES)
        return position_us / 1000;
    // The frame on screen at that time: the last frame starting at or before it. Frame start
    // times are rounded to whole microseconds, hence the one microsecond of slack.
    return (position_us + 1) * frame_rate(info) / 1'000'000'000;
}

std::int64_t from_units(std::int64_t units, UINT format, const media::MediaInfo& info) {
    return format == MCI_FORMAT_FRAMES ? info.time_of_frame(units) : units * 1000;
}

std::int64_t length_units(UINT format, const media::MediaInfo& info) {
    return format == MCI_FORMAT_FRAMES ? info.length_frames : info.length_ms();
}

} // namespace mcivideo
