#pragma once
// A presented picture: 32-bit pixels in memory order B, G, R, A (QImage::Format_RGB32 /
// Format_ARGB32 on little-endian hosts), already scaled to the size the owner asked for.

#include <cstdint>
#include <vector>

namespace media {

struct VideoFrame {
    int width = 0;
    int height = 0;
    int stride = 0;              // bytes per row
    std::vector<uint8_t> pixels; // height * stride bytes
    int64_t position_us = 0;     // media time of the frame, from the start of the medium
    int64_t frame_number = 0;    // index of the frame from the start of the medium
    int serial = 0;              // the seek generation the frame belongs to
};

} // namespace media
