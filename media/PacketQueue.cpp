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
    const bool low = m_on_low && m_items.size() + 1 == m_low_count;
    lock.unlock();
    if (low)
        m_on_low();
    return item;
}

void PacketQueue::when_below(size_t count, std::function<void()> call) {
    std::lock_guard lock(m_mutex);
    m_low_count = count;
    m_on_low = std::move(call);
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
