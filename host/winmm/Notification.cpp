#include "host/mci/Notification.h"

#include "host/mci/MessagePoster.h"

#include <utility>

namespace host::mci {

bool Notification::finish(WPARAM status) {
    if (m_finished.exchange(true))
        return false;
    post_message(m_callback, MM_MCINOTIFY, status, static_cast<std::intptr_t>(m_device_id));
    return true;
}

void NotificationSlot::arm(std::shared_ptr<Notification> next, WPARAM how_replaced) {
    std::shared_ptr<Notification> previous;
    {
        std::lock_guard lock(m_mutex);
        previous = std::exchange(m_pending, std::move(next));
    }
    if (previous)
        previous->finish(how_replaced);
}

void NotificationSlot::finish(WPARAM status) {
    std::shared_ptr<Notification> previous;
    {
        std::lock_guard lock(m_mutex);
        previous = std::exchange(m_pending, nullptr);
    }
    if (previous)
        previous->finish(status);
}

bool NotificationSlot::pending() const {
    std::lock_guard lock(m_mutex);
    return m_pending && !m_pending->finished();
}

} // namespace host::mci
