#pragma once
// A presented picture: 32-bit pixels in memory order B, G, R, A (QImage::Format_RGB32 /
// Format_ARGB32 on little-endian hosts), already scaled to the size the owner asked for.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace media {

// An allocator that leaves new bytes as they are instead of zeroing them: the scaler writes
// every byte of a frame, and zeroing megabytes per frame only costs time.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    using value_type = T;
    UninitializedAllocator() = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>&) {}
    template <class U, class... Arguments>
    void construct(U* place, Arguments&&... arguments) {
        if constexpr (sizeof...(Arguments) == 0)
            ::new (static_cast<void*>(place)) U;
        else
            ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
    }
};

using PixelBuffer = std::vector<uint8_t, UninitializedAllocator<uint8_t>>;

struct VideoFrame {
    int width = 0;
    int height = 0;
    int stride = 0;              // bytes per row
    PixelBuffer pixels;          // height * stride bytes
    int64_t position_us = 0;     // media time of the frame, from the start of the medium
    int64_t frame_number = 0;    // index of the frame from the start of the medium
    int serial = 0;              // the seek generation the frame belongs to
};

} // namespace media
