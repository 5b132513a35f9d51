#include "Window.h"

#include "gdi32/Gdi.h"
#include "host/GuiThread.h"
#include "MessageQueue.h"
#include "ScreenSaver.h"
#include "WindowWidget.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace host::user32 {
namespace {

struct ThreadWindowState {
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND focus = nullptr;
    int handler_depth = 0;
    std::vector<QPointer<QWidget>> graveyard;
};

ThreadWindowState& thread_state() {
    static ThreadWindowState state;
    return state;
}

} // namespace

HandleTable<Window, HWND>& windows() {
    static HandleTable<Window, HWND> table(0x101);
    return table;
}

Window* find_window(HWND hwnd) {
    Window* window = hwnd ? windows().find(hwnd) : nullptr;
    return window && !window->destroying ? window : nullptr;
}

QColor fresh_fill(Window const& window) {
    // A child starts transparent, so its parent shows until it paints; a top-level window starts
    // in its class background (white without one).
    if (window.is_child())
        return Qt::transparent;
    if (auto color = brush_color(window.window_class ? window.window_class->background : nullptr))
        return *color;
    return Qt::white;
}

void resize_backing(Window& window, int width, int height) {
    width = std::clamp(width, 0, largest_window_size);
    height = std::clamp(height, 0, largest_window_size);
    if (!window.backing.isNull() && window.backing.width() == width && window.backing.height() == height)
        return;
    QImage resized(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    resized.fill(fresh_fill(window));
    if (!window.backing.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, window.backing);
    }
    window.backing = resized;
    // This image may hold transparent pixels (a child's start): Qt paints the background below.
    if (window.widget)
        window.widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    window.update_region &= QRect(0, 0, width, height);
}

void invalidate(Window& window, QRect const& rect, bool erase) {
    const QRect client(0, 0, window.width(), window.height());
    const QRect area = rect.isEmpty() ? client : rect & client;
    if (area.isEmpty())
        return;
    window.update_region += area;
    note_update_region_grown();
    window.erase_pending = window.erase_pending || erase;
    // Without WS_CLIPCHILDREN (which no program here uses) the parent paints over its children,
    // so Windows invalidates the children under the area too and they paint after it.
    windows().for_each([&](HWND, Window& child) {
        if (child.destroying || !child.is_child() || child.parent != window.handle || !child.widget)
            return;
        const QRect under =
            area.translated(-child.widget->pos()) & QRect(0, 0, child.width(), child.height());
        if (!under.isEmpty())
            invalidate(child, under, erase);
    });
}

void show_backing(Window& window, QRect const& rect) {
    if (window.widget)
        window.widget->update(rect);
}

LRESULT call_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* window = find_window(hwnd);
    if (!window || !window->window_class || !window->window_class->procedure)
        return 0;
    return window->window_class->procedure(hwnd, message, wparam, lparam);
}

bool is_visible(Window const& window) {
    for (Window const* w = &window; w; w = w->is_child() ? find_window(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE))
            return false;
    }
    return true;
}

HWND active_window() {
    return thread_state().active;
}
HWND capture_window() {
    return thread_state().capture;
}
HWND focus_window() {
    return thread_state().focus;
}

void set_active(HWND hwnd, WORD how) {
    auto& state = thread_state();
    const HWND previous = state.active;
    if (previous == hwnd)
        return;
    state.active = hwnd;
    if (find_window(previous))
        call_procedure(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    if (find_window(hwnd))
        call_procedure(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(previous));
    screen_saver_follow_activation(state.active);
}

void set_focus(HWND hwnd) {
    auto& state = thread_state();
    const HWND previous = state.focus;
    if (previous == hwnd)
        return;
    state.focus = hwnd;
    if (find_window(previous))
        call_procedure(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (Window* window = find_window(hwnd)) {
        if (window->widget)
            window->widget->setFocus(Qt::OtherFocusReason);
        call_procedure(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
}

void set_capture_window(HWND hwnd) {
    auto& state = thread_state();
    const HWND previous = state.capture;
    const bool grabs = has_window_system();
    if (Window* old = previous ? windows().find(previous) : nullptr; old && old->widget && grabs)
        old->widget->releaseMouse();
    state.capture = hwnd;
    if (Window* window = find_window(hwnd); window && window->widget && window->widget->isVisible() && grabs)
        window->widget->grabMouse();
    if (previous && previous != hwnd && find_window(previous))
        call_procedure(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
}

void release_capture_of(HWND hwnd) {
    if (thread_state().capture == hwnd)
        set_capture_window(nullptr);
}

void forget_window_state(HWND hwnd) {
    auto& state = thread_state();
    release_capture_of(hwnd);
    if (state.focus == hwnd)
        state.focus = nullptr;
    if (state.active == hwnd) {
        state.active = nullptr;
        screen_saver_follow_activation(nullptr);
    }
}

void bury_widget(QWidget* widget) {
    if (!widget)
        return;
    widget->hide();
    thread_state().graveyard.emplace_back(widget);
    bury_now_if_idle();
}

void bury_now_if_idle() {
    auto& state = thread_state();
    if (state.handler_depth > 0)
        return;
    auto graves = std::move(state.graveyard);
    state.graveyard.clear();
    for (auto& widget : graves)
        delete widget.data(); // a widget already deleted with its parent is null here
}

HandlerScope::HandlerScope() {
    ++thread_state().handler_depth;
}
HandlerScope::~HandlerScope() {
    --thread_state().handler_depth;
}

} // namespace host::user32
