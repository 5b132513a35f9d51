#include "WindowWidget.h"

#include "KeyMap.h"
#include "MessageQueue.h"
#include "Window.h"
#include "X11Desktop.h"
#include "host/DesktopStates.h"
#include "host/GuiThread.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QWindow>

#include <xcb/xproto.h>

namespace host::user32 {
namespace {

WPARAM mouse_key_flags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

UINT button_message(Qt::MouseButton button, bool down) {
    switch (button) {
    case Qt::LeftButton:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return 0;
    }
}

// The window a mouse event belongs to, as Windows picks it: the capture window, else the
// window under the pointer; none when the pointer is over no window of ours.
WindowWidget* mouse_target(WindowWidget* receiver, QMouseEvent* event) {
    if (Window* capture = find_window(capture_window()))
        return capture->widget;
    if (receiver->rect().contains(event->position().toPoint()))
        return receiver;
    for (QWidget* widget = QApplication::widgetAt(event->globalPosition().toPoint()); widget;
         widget = widget->parentWidget()) {
        if (auto* window_widget = dynamic_cast<WindowWidget*>(widget))
            return window_widget;
    }
    return nullptr;
}

} // namespace

WindowWidget::WindowWidget(HWND hwnd, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_hwnd(hwnd) {
    setMouseTracking(true);
    setFocusPolicy(parent && !(flags & Qt::Window) ? Qt::ClickFocus : Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool WindowWidget::event(QEvent* event) {
    // Tab is a key like any other here, not focus navigation.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    Window* window = find_window(m_hwnd);
    if (!window)
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, window->backing);
}

// Only sizes the window system changes (a user resizing a framed window) arrive here unasked;
// MoveWindow has already sized the backing image for its own changes.
void WindowWidget::resizeEvent(QResizeEvent* event) {
    HandlerScope scope;
    QWidget::resizeEvent(event);
    Window* window = find_window(m_hwnd);
    if (!window || (window->width() == width() && window->height() == height()))
        return;
    resize_backing(*window, width(), height());
    invalidate(*window, {}, true);
    call_procedure(m_hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(width()), static_cast<WORD>(height())));
}

void WindowWidget::begin_mouse_move() {
    if (!isWindow())
        return;
    if (has_window_system() && x11::window_manager_running() && windowHandle() &&
        windowHandle()->startSystemMove())
        return;
    // The window keeps the offset the pointer had when the button went down, as a caption does.
    m_moving = true;
    m_move_offset = m_pressed_at - pos();
}

void WindowWidget::queue_mouse(QMouseEvent* event, UINT message) {
    m_pointer = event->globalPosition().toPoint();
    if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton)
        m_pressed_at = m_pointer;
    if (m_moving) {
        if (event->type() == QEvent::MouseMove)
            move(m_pointer - m_move_offset);
        else if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton)
            m_moving = false;
        return;
    }
    WindowWidget* target = mouse_target(this, event);
    Window* window = target ? find_window(target->hwnd()) : nullptr;
    if (!message || !window || (window->style & WS_DISABLED))
        return;
    const QPoint at = target->mapFromGlobal(event->globalPosition().toPoint());
    QueuedMessage queued;
    queued.msg = make_message(target->hwnd(), message, mouse_key_flags(event->buttons(), event->modifiers()),
                              MAKELPARAM(static_cast<WORD>(at.x()), static_cast<WORD>(at.y())));
    const QPoint global = event->globalPosition().toPoint();
    queued.msg.pt = {global.x(), global.y()};
    MessageQueue::instance().post(queued);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    queue_mouse(event, button_message(event->button(), true));
}

// Without CS_DBLCLKS (which no program here uses) a second click is another button press.
void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    queue_mouse(event, button_message(event->button(), false));
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    queue_mouse(event, WM_MOUSEMOVE);
}

void WindowWidget::queue_key(QKeyEvent* event, bool down) {
    Window* window = find_window(m_hwnd);
    const WORD vk = virtual_key(event->key(), event->modifiers());
    if (!window || !vk || (window->style & WS_DISABLED))
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    const bool system = alt || vk == VK_F1 + 9; // F10 is a system key
    // lParam: repeat count 1, scan code, the context bit for Alt, the previous and transition state.
    auto lparam = static_cast<DWORD>(1 | ((event->nativeScanCode() & 0xFF) << 16));
    if (alt)
        lparam |= 1u << 29;
    if (!down || event->isAutoRepeat())
        lparam |= 1u << 30;
    if (!down)
        lparam |= 1u << 31;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);

    QueuedMessage queued;
    queued.msg = make_message(m_hwnd, message, vk, static_cast<LPARAM>(lparam));
    queued.keys.shift = (modifiers & Qt::ShiftModifier) != 0;
    queued.keys.control = (modifiers & Qt::ControlModifier) != 0;
    queued.keys.alt = alt;
    const QString text = event->text();
    queued.keys.character = key_character(vk, modifiers, text.isEmpty() ? 0u : text.at(0).unicode());
    MessageQueue::instance().post(queued);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    queue_key(event, true);
}
void WindowWidget::keyReleaseEvent(QKeyEvent* event) {
    queue_key(event, false);
}

// A window moved by the user (or the window manager) hears WM_MOVE, and its owned windows keep
// their place beside it, as a player's picture stays under its panel.
void WindowWidget::moveEvent(QMoveEvent* event) {
    HandlerScope scope;
    QWidget::moveEvent(event);
    Window* window = find_window(m_hwnd);
    if (!window || !isWindow() || window->placing)
        return;
    const QPoint delta = event->pos() - event->oldPos();
    for (QObject* object : children())
        if (auto* owned = dynamic_cast<WindowWidget*>(object); owned && owned->isWindow())
            owned->move(owned->pos() + delta);
    call_procedure(m_hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x()), static_cast<WORD>(y())));
}

void WindowWidget::changeEvent(QEvent* event) {
    HandlerScope scope;
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isWindow())
        return;
    if (isActiveWindow()) {
        set_active(m_hwnd, WA_ACTIVE);
    } else if (active_window() == m_hwnd) {
        // The window stays active while its menu is open; once the menu is gone it is whatever
        // the desktop says.
        host::when_popups_closed(this, [this] {
            if (!isActiveWindow() && active_window() == m_hwnd)
                set_active(nullptr, WA_INACTIVE);
        });
    }
}

// The window system's close button is the system menu's Close, which the procedure may refuse.
void WindowWidget::closeEvent(QCloseEvent* event) {
    HandlerScope scope;
    event->ignore();
    call_procedure(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool WindowWidget::nativeEvent(QByteArray const& event_type, void* message, qintptr* result) {
    if (event_type == "xcb_generic_event_t" && isWindow()) {
        // Under a window manager the owned windows are transient for their owner, and the manager
        // keeps them above it and minimises and restores them with it.
        auto const kind = static_cast<xcb_generic_event_t const*>(message)->response_type & 0x7f;
        if (kind == XCB_CONFIGURE_NOTIFY || kind == XCB_UNMAP_NOTIFY || kind == XCB_MAP_NOTIFY)
            follow_owner(kind);
    }
    return QWidget::nativeEvent(event_type, message, result);
}

// Stacking changes reach the window as ConfigureNotify; minimising on a bare server unmaps it
// and marks it iconic, restoring maps it again.
// Most windows own none: they are looked at first, before the window manager is asked about.
void WindowWidget::follow_owner(int event_kind) {
    std::vector<QWidget*> const owned = shown_owned_windows(*this);
    if (owned.empty() || x11::window_manager_running())
        return;
    if (event_kind == XCB_UNMAP_NOTIFY) {
        auto const state = x11::window_state(winId());
        if (state && state->iconic)
            for (QWidget* widget : owned)
                x11::minimize(widget->winId());
        return;
    }
    if (event_kind == XCB_MAP_NOTIFY)
        for (QWidget* widget : owned)
            if (auto const state = x11::window_state(widget->winId()); state && state->iconic)
                x11::restore(widget->winId());
    for (QWidget* widget : owned)
        widget->raise();
}

std::vector<QWidget*> shown_owned_windows(QWidget& owner) {
    std::vector<QWidget*> owned;
    for (QObject* object : owner.children())
        if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow() && widget->isVisible())
            owned.push_back(widget);
    return owned;
}

void raise_owned_windows(QWidget& owner) {
    for (QWidget* owned : shown_owned_windows(owner))
        owned->raise();
}

} // namespace host::user32
