#pragma once
// A presented picture: 32-bit pixels in memory order B, G, R, A (QImage::Format_RGB32 /
// Format_ARGB32 on little-endian hosts), already scaled to the size the owner asked for.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace media {

// The memory of one picture's pixels. It may come from the heap or from whoever shows the
// pictures (memory the display server reads directly, say): `owner` keeps it alive, and the
// memory goes back to where it came from when the last copy of the buffer lets go of it.
class PixelBuffer {
  public:
    PixelBuffer() = default;
    PixelBuffer(uint8_t* data, std::size_t size, std::shared_ptr<void> owner)
        : m_data(data), m_size(size), m_owner(std::move(owner)) {}
    // Uninitialised heap memory: the scaler writes every byte of a frame, and zeroing megabytes
    // per frame only costs time.
    static PixelBuffer on_heap(std::size_t size) {
        std::shared_ptr<uint8_t[]> memory(new uint8_t[size]);
        uint8_t* data = memory.get();
        return PixelBuffer(data, size, std::move(memory));
    }

    uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    uint8_t& operator[](std::size_t index) const { return m_data[index]; }
    operator std::span<const uint8_t>() const { return {m_data, m_size}; }

  private:
    uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::shared_ptr<void> m_owner;
};

// Where the engine takes the memory of each picture from (called on the engine's video thread).
// A source may return an empty buffer, or one too small, when it has none to give; the engine
// then takes heap memory.
using PixelSource = std::function<PixelBuffer(std::size_t size)>;

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
