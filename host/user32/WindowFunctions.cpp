// Creating, destroying, showing and placing windows.
#include "DesktopWindows.h"
#include "host/AnsiCodePage.h"
#include "host/DesktopStates.h"
#include "host/GuiThread.h"
#include "MessageQueue.h"
#include "Resources.h"
#include "SessionMember.h"
#include "Window.h"
#include "WindowClasses.h"
#include "WindowWidget.h"
#include "host/kernel32.h"

#include <QIcon>
#include <QPixmap>

#include <vector>

namespace host::user32 {
namespace {

constexpr DWORD error_invalid_window_handle = 1400;
constexpr DWORD error_tlw_with_wschild = 1406;
constexpr DWORD error_not_supported = 50;
constexpr int default_width = 640;
constexpr int default_height = 480;

bool invalid_window() {
    SetLastError(error_invalid_window_handle);
    return false;
}

// Qt's flags for a window of these styles: a child widget, a frameless top-level window for a
// popup (or a window restyled to WS_CHILD, which stays top-level), a framed one otherwise. A
// top-level window with an owner is a tool window: Qt marks it transient for its owner, so that
// window managers keep it above the owner, minimise it with the owner and leave it out of the
// taskbar, as Windows treats owned windows.
Qt::WindowFlags widget_flags(DWORD style, bool child, bool owned) {
    if (child)
        return Qt::Widget;
    const bool framed = !(style & (WS_POPUP | WS_CHILD)) || (style & WS_CAPTION) == WS_CAPTION;
    const Qt::WindowFlags type = owned ? Qt::Tool : Qt::Window;
    return framed ? type : type | Qt::FramelessWindowHint;
}

QWidget* widget_of(HWND hwnd) {
    Window* window = find_window(hwnd);
    return window ? window->widget.data() : nullptr;
}

void dress_widget(Window& window, char const* title) {
    WindowWidget& widget = *window.widget;
    widget.setWindowTitle(host::from_ansi(title ? title : ""));
    if (const QImage icon = icon_image(window.window_class->icon); !icon.isNull())
        widget.setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    if (auto shape = cursor_shape(window.window_class->cursor))
        widget.setCursor(*shape);
}

std::unique_ptr<Window> new_window(WindowClass const* window_class, DWORD ex_style, DWORD style, HWND parent,
                                   HMENU menu) {
    auto window = std::make_unique<Window>();
    window->window_class = window_class;
    window->ex_style = ex_style;
    window->style = style & ~WS_VISIBLE; // set when shown
    window->parent = parent;
    window->id = (style & WS_CHILD) ? reinterpret_cast<UINT_PTR>(menu) : 0;
    return window;
}

bool button_style_supported(WindowClass const* window_class, DWORD style) {
    return window_class->procedure != button_procedure || (style & 0x0F) == BS_OWNERDRAW;
}

// Sends WM_CREATE, WM_SIZE and WM_MOVE; false when the procedure refused or destroyed the window.
bool announce_creation(HWND hwnd, CREATESTRUCTA& create) {
    if (call_procedure(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return false;
    }
    if (!find_window(hwnd))
        return false;
    call_procedure(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(create.cx), static_cast<WORD>(create.cy)));
    call_procedure(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(create.x), static_cast<WORD>(create.y)));
    return find_window(hwnd) != nullptr;
}

std::vector<HWND> windows_related_to(HWND hwnd, bool children) {
    std::vector<HWND> related;
    windows().for_each([&](HWND handle, Window const& window) {
        if (window.parent == hwnd && window.is_child() == children && !window.destroying)
            related.push_back(handle);
    });
    return related;
}

void send_destroy(HWND hwnd) {
    call_procedure(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : windows_related_to(hwnd, true))
        send_destroy(child);
}

void remove_window(HWND hwnd) {
    for (HWND child : windows_related_to(hwnd, true))
        remove_window(child);
    windows().find(hwnd)->destroying = true;
    kill_window_timers(hwnd);
    forget_window_state(hwnd);
    MessageQueue::instance().remove_live(hwnd);
    windows().remove(hwnd);
}

void apply_geometry(Window& window, int x, int y, int width, int height) {
    width = std::clamp(width, 0, largest_window_size);
    height = std::clamp(height, 0, largest_window_size);
    resize_backing(window, width, height);
    window.placing = true;
    window.widget->setGeometry(x, y, width, height);
    window.placing = false;
}

} // namespace
} // namespace host::user32

namespace host {

QWidget* window_widget(HWND hwnd) {
    return user32::widget_of(hwnd);
}

} // namespace host

using namespace host::user32;

extern "C" {

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    if (!ensure_application() || !on_gui_thread() || !class_name || IS_INTRESOURCE(class_name))
        return nullptr;
    WindowClass const* window_class = find_class(class_name);
    if (!window_class)
        return nullptr;
    if (!button_style_supported(window_class, style)) {
        SetLastError(error_not_supported);
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    Window* parent_window = find_window(parent);
    if ((child && !parent_window) || (parent && !parent_window)) {
        SetLastError(child && !parent ? error_tlw_with_wschild : error_invalid_window_handle);
        return nullptr;
    }
    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = default_width, height = default_height;

    const HWND hwnd = windows().add(new_window(window_class, ex_style, style, parent, menu));
    Window& window = *windows().find(hwnd);
    window.handle = hwnd;
    // An owned top-level window is a Qt child window of its owner's top-level widget, so it
    // stays above its owner.
    QWidget* parent_widget = nullptr;
    if (parent_window)
        parent_widget = child ? parent_window->widget.data() : parent_window->widget->window();
    window.widget = new WindowWidget(hwnd, parent_widget, widget_flags(style, child, parent_widget != nullptr));
    dress_widget(window, window_name);
    apply_geometry(window, x, y, width, height);
    invalidate(window, {}, true);
    MessageQueue::instance().add_live(hwnd);
    // A program with a window is a member of its prefix's session from now on.
    if (!child)
        join_session();

    CREATESTRUCTA create{parameter, instance, menu,        parent,      height,     width,
                         y,         x,        LONG(style), window_name, class_name, ex_style};
    if (!announce_creation(hwnd, create))
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window || !on_gui_thread())
        return invalid_window();
    if (window->destroy_started) // asked again from its own WM_DESTROY
        return TRUE;
    window->destroy_started = true;
    // Owned windows go first, then the window and its children hear WM_DESTROY, parent first.
    for (HWND owned : windows_related_to(hwnd, false))
        DestroyWindow(owned);
    if (!find_window(hwnd))
        return TRUE;
    window->widget->hide();
    send_destroy(hwnd);
    if (!find_window(hwnd))
        return TRUE;
    QWidget* widget = window->widget.data();
    remove_window(hwnd);
    bury_widget(widget);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int show) {
    Window* window = find_window(hwnd);
    if (!window) {
        if (auto desktop_window = desktop_window_of(hwnd))
            return show_desktop_window(*desktop_window, show);
        return invalid_window();
    }
    const BOOL was_visible = (window->style & WS_VISIBLE) ? TRUE : FALSE;
    WindowWidget& widget = *window->widget;
    if (show == SW_HIDE) {
        window->style &= ~WS_VISIBLE;
        widget.hide();
        return was_visible;
    }
    window->style |= WS_VISIBLE;
    // Regions kept while it (and its children) were hidden can be painted now.
    note_update_region_grown();
    const bool activate = show != SW_SHOWNOACTIVATE && show != SW_SHOWNA && show != SW_SHOWMINNOACTIVE;
    widget.setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    const bool top_level = !window->is_child() && widget.isWindow();
    if (show == SW_MINIMIZE || show == SW_SHOWMINIMIZED || show == SW_SHOWMINNOACTIVE) {
        if (top_level && was_visible)
            host::minimize_widget(&widget);
        else
            widget.showMinimized();
    } else if (show == SW_SHOWMAXIMIZED && top_level) {
        if (!widget.isMaximized())
            window->normal_geometry = widget.geometry();
        widget.show();
        host::maximize_widget(&widget);
    } else if (show == SW_RESTORE && top_level && widget.isMaximized()) {
        host::restore_widget(&widget, window->normal_geometry);
        widget.show();
    } else {
        widget.show();
    }
    if (!was_visible)
        invalidate(*window, {}, true);
    if (activate && !window->is_child() && !was_visible)
        SetActiveWindow(hwnd);
    if (hwnd == capture_window() && has_window_system())
        widget.grabMouse();
    return was_visible;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window)
        return invalid_window();
    if (!window->update_region.isEmpty() && is_visible(*window))
        call_procedure(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Window* window = find_window(hwnd);
    if (!window)
        return invalid_window();
    const QRect before = window->widget->geometry();
    const QSize old_size(window->width(), window->height());
    apply_geometry(*window, x, y, width, height);
    const bool resized = old_size != QSize(window->width(), window->height());
    const UINT redraw = window->window_class->style & (CS_HREDRAW | CS_VREDRAW);
    if (repaint || (resized && redraw))
        invalidate(*window, {}, true);
    else if (resized) {
        QRegion uncovered(0, 0, window->width(), window->height());
        invalidate(*window, (uncovered - QRegion(0, 0, old_size.width(), old_size.height())).boundingRect(),
                   true);
    }
    if (before.topLeft() != QPoint(x, y))
        call_procedure(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    if (resized && find_window(hwnd))
        call_procedure(hwnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
    return TRUE;
}

LONG GetWindowLongA(HWND hwnd, int index) {
    Window* window = find_window(hwnd);
    if (!window) {
        invalid_window();
        return 0;
    }
    if (index == GWL_EXSTYLE)
        return static_cast<LONG>(window->ex_style);
    if (index != GWL_STYLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return static_cast<LONG>(window->style);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    Window* window = find_window(hwnd);
    if (!window) {
        invalid_window();
        return 0;
    }
    if (index == GWL_EXSTYLE)
        return static_cast<LONG>(std::exchange(window->ex_style, static_cast<DWORD>(value)));
    if (index != GWL_STYLE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // As on Windows, setting WS_CHILD on a top-level window does not give it a parent: it keeps
    // its screen coordinates and only loses its frame (pinned by
    // Windows.restyling_a_popup_as_child_keeps_it_top_level_without_a_frame). WS_VISIBLE is the
    // window's state, not something this call changes.
    const DWORD previous = window->style;
    window->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (previous & WS_VISIBLE);
    WindowWidget& widget = *window->widget;
    if (!window->is_child() || widget.isWindow()) {
        const Qt::WindowFlags flags = widget_flags(window->style, false, widget.parentWidget() != nullptr);
        if (widget.windowFlags() != flags) {
            widget.setWindowFlags(flags); // hides the widget, as Qt does for new flags
            if (window->style & WS_VISIBLE)
                widget.show();
        }
    }
    return static_cast<LONG>(previous);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    const QRect area =
        rect ? QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1)) : QRect();
    if (!hwnd) {
        windows().for_each([&](HWND, Window& window) {
            if (!window.destroying)
                invalidate(window, area, erase);
        });
        return TRUE;
    }
    Window* window = find_window(hwnd);
    if (!window)
        return invalid_window();
    if (!rect || !area.isEmpty())
        invalidate(*window, area, erase);
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    Window* window = find_window(hwnd);
    if (!window || !point)
        return invalid_window();
    const QPoint screen = window->widget->mapToGlobal(QPoint(point->x, point->y));
    *point = {screen.x(), screen.y()};
    return TRUE;
}

HWND GetActiveWindow() {
    return active_window();
}

HWND SetActiveWindow(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window || window->is_child()) {
        invalid_window();
        return nullptr;
    }
    const HWND previous = active_window();
    if (has_window_system()) {
        window->widget->raise();
        // Owned windows stay above their owner, also where no window manager keeps them there.
        raise_owned_windows(*window->widget);
    }
    window->widget->activateWindow();
    set_active(hwnd, WA_ACTIVE);
    return previous;
}

HWND SetCapture(HWND hwnd) {
    const HWND previous = capture_window();
    if (find_window(hwnd))
        set_capture_window(hwnd);
    return previous;
}

BOOL ReleaseCapture() {
    set_capture_window(nullptr);
    return TRUE;
}
}
