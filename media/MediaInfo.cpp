#include "media/MediaInfo.h"

#include <cmath>

namespace media {

namespace {

// Without a video stream, frames are counted at this rate so that frame-based positions still work.
constexpr int64_t fallback_frame_rate = 25000;

int64_t effective_rate(const MediaInfo& info) {
    return info.nominal_frame_rate > 0 ? info.nominal_frame_rate : fallback_frame_rate;
}

} // namespace

int64_t MediaInfo::frame_duration_us() const {
    return static_cast<int64_t>(std::llround(1e9 / static_cast<double>(effective_rate(*this))));
}

int64_t MediaInfo::frame_at(int64_t position_us) const {
    return static_cast<int64_t>(std::llround(static_cast<double>(position_us) * effective_rate(*this) / 1e9));
}

int64_t MediaInfo::time_of_frame(int64_t frame) const {
    return static_cast<int64_t>(std::llround(static_cast<double>(frame) * 1e9 / effective_rate(*this)));
}

} // namespace media
