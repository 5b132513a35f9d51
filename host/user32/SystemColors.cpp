// GetSysColor and SetSysColors: the Windows 95 standard colour scheme, changed for the whole
// program, with WM_SYSCOLORCHANGE to the top-level windows and the host's listeners.
#include "Window.h"

#include <array>
#include <map>

namespace host::user32 {
namespace {

std::array<COLORREF, 25>& colours() {
    static std::array<COLORREF, 25> scheme{
        RGB(192, 192, 192), // COLOR_SCROLLBAR
        RGB(0, 128, 128),   // COLOR_BACKGROUND
        RGB(0, 0, 128),     // COLOR_ACTIVECAPTION
        RGB(128, 128, 128), // COLOR_INACTIVECAPTION
        RGB(192, 192, 192), // COLOR_MENU
        RGB(255, 255, 255), // COLOR_WINDOW
        RGB(0, 0, 0),       // COLOR_WINDOWFRAME
        RGB(0, 0, 0),       // COLOR_MENUTEXT
        RGB(0, 0, 0),       // COLOR_WINDOWTEXT
        RGB(255, 255, 255), // COLOR_CAPTIONTEXT
        RGB(192, 192, 192), // COLOR_ACTIVEBORDER
        RGB(192, 192, 192), // COLOR_INACTIVEBORDER
        RGB(128, 128, 128), // COLOR_APPWORKSPACE
        RGB(0, 0, 128),     // COLOR_HIGHLIGHT
        RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
        RGB(192, 192, 192), // COLOR_BTNFACE
        RGB(128, 128, 128), // COLOR_BTNSHADOW
        RGB(128, 128, 128), // COLOR_GRAYTEXT
        RGB(0, 0, 0),       // COLOR_BTNTEXT
        RGB(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
        RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
        RGB(0, 0, 0),       // COLOR_3DDKSHADOW
        RGB(192, 192, 192), // COLOR_3DLIGHT
        RGB(0, 0, 0),       // COLOR_INFOTEXT
        RGB(255, 255, 225), // COLOR_INFOBK
    };
    return scheme;
}

std::map<int, std::function<void()>>& listeners() {
    static std::map<int, std::function<void()>> table;
    return table;
}

} // namespace
} // namespace host::user32

using namespace host::user32;

namespace host {

int add_system_colour_listener(std::function<void()> listener) {
    static int next = 1;
    listeners().emplace(next, std::move(listener));
    return next++;
}

void remove_system_colour_listener(int id) {
    listeners().erase(id);
}

} // namespace host

extern "C" {

DWORD GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(colours().size()))
        return 0;
    return colours()[static_cast<std::size_t>(index)];
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (!indexes || !colors)))
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (indexes[i] < 0 || indexes[i] >= static_cast<int>(colours().size()))
            return FALSE;
    for (int i = 0; i < count; ++i)
        colours()[static_cast<std::size_t>(indexes[i])] = colors[i] & 0x00FFFFFF;
    std::vector<HWND> top_level;
    windows().for_each([&](HWND hwnd, Window const& window) {
        if (!window.is_child() && !window.destroying)
            top_level.push_back(hwnd);
    });
    for (HWND hwnd : top_level)
        call_procedure(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    // A copy: a listener may come or go while they are called.
    auto const called = listeners();
    for (auto const& [id, listener] : called)
        listener();
    return TRUE;
}
}
