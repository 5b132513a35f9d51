#pragma once
// Picture memory the X server reads straight from (MIT-SHM segments handed over as file
// descriptors). A picture drawn into it reaches a window without another copy: present_frame
// puts such a picture from the segment itself instead of painting it through the window's
// backing store. The pictures of a movie come here so that each frame is written once, by the
// scaler.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace host {

struct SharedPixels {
    std::uint8_t* data = nullptr;
    std::size_t size = 0;
    // Keeps the memory; when the last copy goes, and the X server has read the last picture put
    // from it, the memory is taken again for a later picture.
    std::shared_ptr<void> owner;
};

// Memory for one picture of `size` bytes. Any thread. Empty when there is none to give: no X
// display (or not yet a window shown on it), an X server that cannot take the memory, or as many
// pictures alive as the pool holds.
SharedPixels take_shared_pixels(std::size_t size);

// The pool's segments now (for tests): all of them, and those free for another picture.
struct SharedPixelCounts {
    std::size_t segments = 0;
    std::size_t free = 0;
    std::size_t puts = 0; // pictures put on windows straight from a segment, since start
};
SharedPixelCounts shared_pixel_counts();

} // namespace host
