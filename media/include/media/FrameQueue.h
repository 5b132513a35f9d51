#pragma once
// The hand-over of presented frames from the engine's video thread to the GUI thread. Bounded:
// when the GUI falls behind, the oldest frame is dropped, so the GUI always catches up with the
// newest picture. Thread-safe; push from the engine, take from the GUI.

#include "media/VideoFrame.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace media {

class FrameQueue {
  public:
    explicit FrameQueue(size_t capacity = 3) : m_capacity(capacity == 0 ? 1 : capacity) {}

    // Engine side. Returns true when an older frame had to be dropped to make room.
    bool push(VideoFrame frame);
    // GUI side: the oldest waiting frame, if any.
    std::optional<VideoFrame> take();
    // GUI side: the newest waiting frame; older ones are discarded.
    std::optional<VideoFrame> take_latest();
    void clear();
    size_t size() const;

  private:
    mutable std::mutex m_mutex;
    std::deque<VideoFrame> m_frames;
    size_t m_capacity;
};

} // namespace media
