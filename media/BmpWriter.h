#pragma once
// Writes a decoded frame as a BMP file through libavcodec's BMP encoder, at the frame's own size.
// The file is written beside its final name and renamed into place, so it appears complete or
// not at all.

#include "FFmpegPtr.h"
#include "media/Result.h"

#include <string>

namespace media {

Status write_bmp(const AVFrame* frame, const std::string& path);

} // namespace media
