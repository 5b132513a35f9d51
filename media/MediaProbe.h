#pragma once
// Reads what a medium is made of: its properties (MediaInfo) and where each segment lies on the
// medium's time line. Runs on the caller's thread while a Movie opens.

#include "Demuxer.h"
#include "InputSource.h"
#include "media/MediaInfo.h"

#include <vector>

namespace media {

struct Probe {
    MediaInfo info;
    std::vector<SegmentTiming> timings;
    int64_t bytes_read = 0; // what finding all this read from the medium
};

// The stream of `type` the engine plays: FFmpeg's best one, if it can be decoded and is not cover
// art; -1 otherwise.
int best_stream(AVFormatContext* format, AVMediaType type);

Result<Probe> probe_medium(const std::vector<SegmentSource>& segments);

} // namespace media
