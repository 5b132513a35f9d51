// The top-level windows of the whole desktop: FindWindowA, EnumWindows and what may be done to a
// window of another program (its title, its minimised state, restoring and raising it).
#include "DesktopWindows.h"

#include "Window.h"
#include "WindowWidget.h"
#include "X11Desktop.h"
#include "host/AnsiCodePage.h"
#include "host/GuiThread.h"
#include "host/kernel32.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <map>
#include <unistd.h>
#include <vector>

namespace host::user32 {
namespace {

constexpr DWORD error_invalid_window_handle = 1400;

HandleTable<unsigned long, HWND>& desktop_handles() {
    static HandleTable<unsigned long, HWND> table(0x107);
    return table;
}

std::map<unsigned long, HWND>& handles_by_window() {
    static std::map<unsigned long, HWND> map;
    return map;
}

// This program's host window shown as the X window, if any.
HWND own_window_of(unsigned long x_window) {
    HWND found = nullptr;
    windows().for_each([&](HWND handle, Window const& window) {
        if (!found && !window.destroying && window.widget && window.widget->internalWinId() == x_window)
            found = handle;
    });
    return found;
}

HWND handle_of(unsigned long x_window) {
    if (HWND own = own_window_of(x_window))
        return own;
    auto& known = handles_by_window();
    if (auto found = known.find(x_window); found != known.end())
        return found->second;
    const HWND handle = desktop_handles().add(std::make_unique<unsigned long>(x_window));
    known.emplace(x_window, handle);
    return handle;
}

// The top-level windows in the desktop's order, top first, as handles.
std::vector<HWND> top_level_handles() {
    std::vector<HWND> handles;
    if (!ensure_application() || !on_gui_thread())
        return handles;
    for (unsigned long x_window : x11::top_level_windows())
        handles.push_back(handle_of(x_window));
    return handles;
}

// A window's text in the ANSI code page (X11 titles are UTF-8).
std::string text_of(HWND hwnd) {
    if (Window* window = find_window(hwnd))
        return window->widget ? host::to_ansi(window->widget->windowTitle()) : std::string();
    if (auto x_window = desktop_window_of(hwnd))
        return host::to_ansi(QString::fromStdString(x11::title(*x_window)));
    return {};
}

std::string class_of(HWND hwnd) {
    if (Window* window = find_window(hwnd))
        return window->window_class ? window->window_class->name : std::string();
    if (auto x_window = desktop_window_of(hwnd))
        return x11::class_name(*x_window);
    return {};
}

// Window texts and class names are compared as Windows compares them: whole, ignoring case.
bool same_text(std::string const& a, char const* b) {
    return host::from_ansi(a).compare(host::from_ansi(b), Qt::CaseInsensitive) == 0;
}

BOOL invalid_window() {
    SetLastError(error_invalid_window_handle);
    return FALSE;
}

} // namespace

std::optional<unsigned long> desktop_window_of(HWND hwnd) {
    if (unsigned long* x_window = desktop_handles().find(hwnd))
        return *x_window;
    return std::nullopt;
}

BOOL show_desktop_window(unsigned long x_window, int show) {
    const auto state = x11::window_state(x_window);
    if (!state)
        return invalid_window();
    const BOOL was_visible = state->viewable || state->iconic;
    switch (show) {
    case SW_HIDE:
        x11::withdraw(x_window);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        x11::minimize(x_window);
        break;
    case SW_RESTORE:
        x11::restore(x_window);
        break;
    default:
        x11::show(x_window, show != SW_SHOWNOACTIVATE && show != SW_SHOWNA, show == SW_SHOWMAXIMIZED);
        break;
    }
    return was_visible;
}

} // namespace host::user32

using namespace host::user32;

extern "C" {

HWND FindWindowA(LPCSTR class_name, LPCSTR window_name) {
    for (HWND hwnd : top_level_handles())
        if ((!class_name || same_text(class_of(hwnd), class_name)) &&
            (!window_name || same_text(text_of(hwnd), window_name)))
            return hwnd;
    return nullptr;
}

BOOL EnumWindows(WNDENUMPROC function, LPARAM parameter) {
    if (!function)
        return FALSE;
    for (HWND hwnd : top_level_handles())
        if (!function(hwnd, parameter))
            break;
    return TRUE;
}

int GetWindowTextA(HWND hwnd, LPSTR text, int size) {
    if (!find_window(hwnd) && !desktop_window_of(hwnd)) {
        invalid_window();
        return 0;
    }
    if (!text || size <= 0)
        return 0;
    const std::string title = text_of(hwnd);
    const std::size_t length = std::min(title.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(text, title.data(), length);
    text[length] = '\0';
    return static_cast<int>(length);
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    const std::string title = text ? text : "";
    if (Window* window = find_window(hwnd)) {
        window->widget->setWindowTitle(host::from_ansi(title));
        return TRUE;
    }
    if (auto x_window = desktop_window_of(hwnd))
        return x11::set_title(*x_window, host::from_ansi(title).toStdString()) ? TRUE : invalid_window();
    return invalid_window();
}

BOOL IsIconic(HWND hwnd) {
    if (Window* window = find_window(hwnd))
        return !window->is_child() && window->widget->isMinimized();
    if (auto x_window = desktop_window_of(hwnd)) {
        auto state = x11::window_state(*x_window);
        return state && state->iconic;
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    if (Window* window = find_window(hwnd))
        return is_visible(*window);
    if (auto x_window = desktop_window_of(hwnd)) {
        auto state = x11::window_state(*x_window);
        return state && (state->viewable || state->iconic);
    }
    return FALSE;
}

BOOL BringWindowToTop(HWND hwnd) {
    if (Window* window = find_window(hwnd)) {
        if (window->is_child()) {
            window->widget->raise();
            return TRUE;
        }
        SetActiveWindow(hwnd);
        return TRUE;
    }
    if (auto x_window = desktop_window_of(hwnd))
        return x11::bring_to_top(*x_window) ? TRUE : invalid_window();
    return invalid_window();
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id) {
    DWORD process = 0;
    if (find_window(hwnd))
        process = static_cast<DWORD>(getpid());
    else if (auto x_window = desktop_window_of(hwnd))
        process = static_cast<DWORD>(x11::process_of(*x_window));
    else
        invalid_window();
    if (process_id)
        *process_id = process;
    // Windows of other programs are taken to belong to their main thread, whose id is the process id.
    return find_window(hwnd) ? static_cast<DWORD>(gettid()) : process;
}

} // extern "C"
