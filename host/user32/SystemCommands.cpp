#include "SystemCommands.h"

#include "ScreenSaver.h"
#include "Window.h"
#include "WindowWidget.h"
#include "host/SystemMenu.h"

namespace host::user32 {
namespace {

constexpr LPARAM alt_context = 1 << 29;
constexpr WPARAM caption_hit = 2; // HTCAPTION: SC_MOVE by the mouse

// The top-level window a child belongs to, as GetAncestor(GA_ROOT) finds it.
HWND root_of(HWND hwnd) {
    Window* window = find_window(hwnd);
    while (window && window->is_child() && find_window(window->parent))
        window = find_window(window->parent);
    return window ? window->handle : nullptr;
}

SystemMenuWindow menu_state(Window const& window) {
    SystemMenuWindow state;
    state.minimized = window.widget && window.widget->isMinimized();
    state.maximized = window.widget && window.widget->isMaximized();
    state.sizeable = (window.style & WS_THICKFRAME) != 0;
    state.can_minimize = (window.style & WS_MINIMIZEBOX) != 0;
    state.can_maximize = (window.style & WS_MAXIMIZEBOX) != 0;
    return state;
}

// The system menu below the window's top-left corner, where the caption icon is; the choice is
// carried out as the WM_SYSCOMMAND it names.
void show_system_menu(HWND hwnd) {
    Window* window = find_window(hwnd);
    if (!window || !(window->style & WS_SYSMENU) || !window->widget)
        return;
    const QPoint corner = window->widget->mapToGlobal(QPoint(0, 0));
    const WPARAM chosen = track_system_menu(window->widget, hwnd, POINT{corner.x(), corner.y()}, menu_state(*window));
    if (chosen && find_window(hwnd))
        SendMessageA(hwnd, WM_SYSCOMMAND, chosen, 0);
}

} // namespace

void default_system_key(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const HWND root = root_of(hwnd);
    if (!root)
        return;
    if (message == WM_SYSKEYDOWN && wparam == VK_F1 + 3 && (lparam & alt_context))
        PostMessageA(root, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (message == WM_SYSCHAR && wparam == ' ' && (lparam & alt_context))
        SendMessageA(root, WM_SYSCOMMAND, SC_KEYMENU, ' ');
}

void default_system_command(HWND hwnd, WPARAM wparam, LPARAM lparam) {
    Window* window = find_window(hwnd);
    if (!window)
        return;
    switch (wparam & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_SCREENSAVE:
        screen_saver_allowed_by(hwnd);
        break;
    case SC_KEYMENU:
        if (lparam == ' ')
            show_system_menu(hwnd);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_MOVE:
        if ((wparam & 0x000F) == caption_hit && window->widget && !window->is_child())
            window->widget->begin_mouse_move();
        break;
    default:
        break;
    }
}

} // namespace host::user32
