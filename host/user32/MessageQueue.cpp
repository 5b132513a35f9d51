#include "MessageQueue.h"

#include "host/GuiThread.h"

#include <QCoreApplication>
#include <QCursor>

namespace host::user32 {

bool MessageFilter::accepts(MSG const& msg) const {
    if (hwnd && msg.hwnd != hwnd)
        return false;
    if (min == 0 && max == 0)
        return true;
    return msg.message >= min && msg.message <= max;
}

MessageQueue& MessageQueue::instance() {
    static MessageQueue queue;
    return queue;
}

MSG make_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = static_cast<DWORD>(tick_count());
    if (on_gui_thread() && QCoreApplication::instance()) {
        const QPoint cursor = QCursor::pos();
        msg.pt = {cursor.x(), cursor.y()};
    }
    return msg;
}

bool MessageQueue::post(QueuedMessage message) {
    {
        std::lock_guard lock(m_mutex);
        if (message.msg.hwnd && !m_live.contains(message.msg.hwnd))
            return false;
        m_posted.push_back(message);
    }
    wake();
    return true;
}

void MessageQueue::post_quit(int exit_code) {
    {
        std::lock_guard lock(m_mutex);
        m_quit = exit_code;
    }
    wake();
}

void MessageQueue::add_live(HWND hwnd) {
    std::lock_guard lock(m_mutex);
    m_live.insert(hwnd);
}

void MessageQueue::remove_live(HWND hwnd) {
    std::lock_guard lock(m_mutex);
    m_live.erase(hwnd);
}

// An event loop waiting on the GUI thread returns once this queued call has run.
void MessageQueue::wake() {
    if (auto* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            application, [] {}, Qt::QueuedConnection);
}

std::optional<QueuedMessage> MessageQueue::take_posted(MessageFilter const& filter, bool remove) {
    std::lock_guard lock(m_mutex);
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (!filter.accepts(it->msg))
            continue;
        QueuedMessage found = *it;
        if (remove)
            m_posted.erase(it);
        return found;
    }
    // WM_QUIT comes after the posted messages and is not held back by a window filter.
    if (m_quit &&
        (filter.min == 0 && filter.max == 0 ? true : WM_QUIT >= filter.min && WM_QUIT <= filter.max)) {
        QueuedMessage quit;
        quit.msg = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(*m_quit), 0);
        if (remove)
            m_quit.reset();
        return quit;
    }
    return std::nullopt;
}

std::optional<QueuedMessage> MessageQueue::take(MessageFilter const& filter, bool remove) {
    std::optional<QueuedMessage> found = take_posted(filter, remove);
    if (!found) {
        if (auto paint = next_paint_message(filter))
            found = QueuedMessage{*paint, {}};
        else if (auto timer = next_timer_message(filter, remove))
            found = QueuedMessage{*timer, {}};
    }
    if (found && remove) {
        const UINT message = found->msg.message;
        if (message >= WM_KEYDOWN && message <= WM_SYSCHAR)
            m_key_state = found->keys;
    }
    return found;
}

} // namespace host::user32
