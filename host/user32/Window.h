// The host's window objects: a window class, a window with its Qt widget, backing image and
// update region, and the table of all windows. GUI thread only.
#pragma once

#include "HandleTable.h"
#include "host/user32.h"

#include <QImage>
#include <QPointer>
#include <QRegion>

#include <string>

namespace host::user32 {

class WindowWidget;

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct Window {
    HWND handle = nullptr;
    WindowClass const* window_class = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr; // the parent of a WS_CHILD window, the owner of a top-level one
    UINT_PTR id = 0;       // control id of a child window
    QPointer<WindowWidget> widget;
    QImage backing;        // what the window shows; device contexts draw into it
    QRegion update_region; // client area waiting for WM_PAINT
    bool erase_pending = false;
    bool destroy_started = false; // DestroyWindow is sending WM_DESTROY
    bool destroying = false;      // gone: no messages, no handle
    bool placing = false;         // the program itself is moving or sizing the window
    QRect normal_geometry;        // where a maximised window goes back to when restored

    bool is_child() const { return (style & WS_CHILD) != 0; }
    int width() const { return backing.width(); }
    int height() const { return backing.height(); }
};

// The window of a handle; nullptr for an invalid or destroyed one.
Window* find_window(HWND hwnd);
HandleTable<Window, HWND>& windows();

// Adds client-area pixels to the update region (all of it for an empty rectangle).
void invalidate(Window& window, QRect const& rect, bool erase);

// Windows limits window sizes too; this keeps a wild size from asking for gigabytes.
constexpr int largest_window_size = 8192;

// Sizes the backing image, keeping what overlaps and filling the rest as a fresh window is filled.
void resize_backing(Window& window, int width, int height);
QColor fresh_fill(Window const& window);

// Shows changed backing pixels on the widget.
void show_backing(Window& window, QRect const& rect);

// Calls the window procedure (GUI thread); 0 for an invalid window.
LRESULT call_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Whether the window and every ancestor are shown.
bool is_visible(Window const& window);

} // namespace host::user32

namespace host::user32 {

// Windows' per-thread window state.
HWND active_window();
HWND capture_window();
HWND focus_window();
// Makes `hwnd` (a top-level window or nullptr) the active window, sending WM_ACTIVATE to the
// window losing and the window gaining activation.
void set_active(HWND hwnd, WORD how);
// Gives the keyboard focus, sending WM_KILLFOCUS and WM_SETFOCUS.
void set_focus(HWND hwnd);
// Forgets a destroyed window in the state above, as Windows does (capture released, focus gone).
void forget_window_state(HWND hwnd);
void release_capture_of(HWND hwnd);
void set_capture_window(HWND hwnd);

// Widgets of destroyed windows wait here until no widget event handler is running, since a
// procedure may destroy its window from inside one.
void bury_widget(QWidget* widget);
void bury_now_if_idle();

// Counts the widget event handlers running (see WindowWidget); burying waits for zero.
struct HandlerScope {
    HandlerScope();
    ~HandlerScope();
    HandlerScope(HandlerScope const&) = delete;
    HandlerScope& operator=(HandlerScope const&) = delete;
};

} // namespace host::user32
