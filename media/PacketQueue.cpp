#include "PacketQueue.h"

namespace media {

void PacketQueue::push(PacketItem item) {
    {
        std::lock_guard lock(m_mutex);
        if (item.packet)
            m_bytes += item.packet->size;
        m_items.push_back(std::move(item));
    }
    m_ready.notify_one();
}

std::optional<PacketItem> PacketQueue::pop(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    if (!m_ready.wait_for(lock, wait, [this] { return !m_items.empty(); }))
        return std::nullopt;
    auto item = std::move(m_items.front());
    m_items.pop_front();
    if (item.packet)
        m_bytes -= item.packet->size;
    return item;
}

void PacketQueue::clear() {
    std::lock_guard lock(m_mutex);
    m_items.clear();
    m_bytes = 0;
}

size_t PacketQueue::count() const {
    std::lock_guard lock(m_mutex);
    return m_items.size();
}

int64_t PacketQueue::bytes() const {
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

} // namespace media
