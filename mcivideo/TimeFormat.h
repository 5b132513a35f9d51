// Positions as MCI names them: in the device's time format (milliseconds or frames), converted
// to and from the engine's media time in microseconds.
#pragma once

#include "media/MediaInfo.h"

#include "host/winmm.h"

#include <cstdint>

namespace mcivideo {

// The time formats a video device accepts (as MCIAVI and MPEGVideo: milliseconds and frames).
bool is_supported_time_format(std::int64_t format);

// Media time -> units of `format`: milliseconds truncate; frames name the frame shown then.
std::int64_t to_units(std::int64_t position_us, UINT format, const media::MediaInfo& info);
// Units of `format` -> media time: the start of that millisecond or frame.
std::int64_t from_units(std::int64_t units, UINT format, const media::MediaInfo& info);
// The length of the medium in units of `format`.
std::int64_t length_units(UINT format, const media::MediaInfo& info);

} // namespace mcivideo
