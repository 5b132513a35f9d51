// The GUI thread's wait inside an MCI command with "wait": events run so that windows repaint
// and devices present their pictures, but the program hears of nothing until the command returns.
#include "host/GuiThread.h"

#include "KeyMap.h"
#include "MessageQueue.h"
#include "WindowWidget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <thread>

namespace host::user32 {
namespace {

// How often the waiting loop looks at the device when no event wakes it. A device posts an event
// when its action ends, and a playing video wakes the loop with every frame, so this is only the
// longest delay for an end nothing announces; a shorter one would wake the program for nothing.
constexpr std::chrono::milliseconds look_interval{200};
// Without events to run, the wait can only sleep and look again.
constexpr std::chrono::milliseconds sleep_interval{50};
// X11's keysym of CTRL+PAUSE, which Qt may not translate to a key of its own.
constexpr quint32 keysym_break = 0xFF6B;

bool is_input(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

bool is_break_key(QKeyEvent const& key, unsigned break_key) {
    if (break_key == 0)
        return false;
    if (break_key == VK_CANCEL)
        return key.key() == Qt::Key_Cancel || key.nativeVirtualKey() == keysym_break ||
               (key.key() == Qt::Key_Pause && (key.modifiers() & Qt::ControlModifier));
    return virtual_key(key.key(), key.modifiers()) == break_key;
}

// Sits on the application while a device waits: keeps the program's windows from acting on
// anything, and watches for the break key.
class WaitFilter : public QObject {
  public:
    explicit WaitFilter(unsigned break_key) : m_break_key(break_key) {}

    bool broken() const { return m_broken; }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (is_break_key(*key, m_break_key)) {
                m_broken = m_broken || type == QEvent::KeyPress;
                return true; // the break key is the wait's, not the program's
            }
        }
        auto* window = dynamic_cast<WindowWidget*>(receiver);
        // Qt hands input to a window system window first, which passes it on to its widgets: a
        // host window queues it for later, a Qt control would act on it at once.
        if (is_input(type))
            return receiver->isWidgetType() && window == nullptr;
        if (type == QEvent::Close && window) {
            // The window system's close button, answered when the program reads its queue again.
            event->ignore();
            QueuedMessage close;
            close.msg = make_message(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            MessageQueue::instance().post(close);
            return true;
        }
        return false;
    }

  private:
    unsigned m_break_key;
    bool m_broken = false;
};

} // namespace

DeviceWait wait_for_device(std::function<bool()> const& finished, unsigned break_key,
                           std::chrono::milliseconds limit) {
    if (finished())
        return DeviceWait::finished;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || !on_gui_thread()) {
        // No events to run: only the device's own threads move.
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!finished()) {
            if (limit.count() > 0 && std::chrono::steady_clock::now() >= deadline)
                return DeviceWait::timed_out;
            std::this_thread::sleep_for(sleep_interval);
        }
        return DeviceWait::finished;
    }
    WaitFilter filter(break_key);
    application->installEventFilter(&filter);
    QTimer look;
    look.start(look_interval);
    QTimer give_up;
    give_up.setSingleShot(true);
    bool out_of_time = false;
    if (limit.count() > 0) {
        QObject::connect(&give_up, &QTimer::timeout, [&out_of_time] { out_of_time = true; });
        give_up.start(limit);
    }
    DeviceWait end = DeviceWait::finished;
    while (!finished()) {
        if (filter.broken()) {
            end = DeviceWait::broken;
            break;
        }
        if (out_of_time) {
            end = DeviceWait::timed_out;
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    application->removeEventFilter(&filter);
    return end;
}

} // namespace host::user32
