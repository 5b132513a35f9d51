#include "media/FrameQueue.h"

namespace media {

bool FrameQueue::push(VideoFrame frame) {
    std::lock_guard lock(m_mutex);
    bool dropped = false;
    while (m_frames.size() >= m_capacity) {
        m_frames.pop_front();
        dropped = true;
    }
    m_frames.push_back(std::move(frame));
    return dropped;
}

std::optional<VideoFrame> FrameQueue::take() {
    std::lock_guard lock(m_mutex);
    if (m_frames.empty())
        return std::nullopt;
    auto frame = std::move(m_frames.front());
    m_frames.pop_front();
    return frame;
}

std::optional<VideoFrame> FrameQueue::take_latest() {
    std::lock_guard lock(m_mutex);
    if (m_frames.empty())
        return std::nullopt;
    auto frame = std::move(m_frames.back());
    m_frames.clear();
    return frame;
}

void FrameQueue::clear() {
    std::lock_guard lock(m_mutex);
    m_frames.clear();
}

size_t FrameQueue::size() const {
    std::lock_guard lock(m_mutex);
    return m_frames.size();
}

} // namespace media
