// The system "BUTTON" class for owner-drawn buttons. As on Windows, the button asks its parent to
// draw it with WM_DRAWITEM: the whole button when painted (ODA_DRAWENTIRE), a change of its
// pressed state (ODA_SELECT) and of its focus (ODA_FOCUS). A press captures the mouse; leaving
// the button while it is held shows it released, coming back shows it pressed again; a release
// over the button notifies the parent with WM_COMMAND and BN_CLICKED.
#include "Window.h"
#include "WindowClasses.h"

#include <map>

namespace host::user32 {
namespace {

struct ButtonState {
    bool pressed = false;  // drawn pressed
    bool tracking = false; // the left button went down on it and is still held
};

std::map<HWND, ButtonState>& button_states() {
    static std::map<HWND, ButtonState> states;
    return states;
}

UINT item_state(HWND hwnd, Window const& window, ButtonState const& state) {
    UINT item = 0;
    if (state.pressed)
        item |= ODS_SELECTED;
    if (focus_window() == hwnd)
        item |= ODS_FOCUS;
    if (window.style & WS_DISABLED)
        item |= ODS_DISABLED;
    return item;
}

void draw_item(HWND hwnd, UINT action, HDC hdc) {
    Window* window = find_window(hwnd);
    if (!window)
        return;
    const HDC dc = hdc ? hdc : GetDC(hwnd);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(window->id);
    item.itemAction = action;
    item.itemState = item_state(hwnd, *window, button_states()[hwnd]);
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = {0, 0, window->width(), window->height()};
    SendMessageA(window->parent, WM_DRAWITEM, window->id, reinterpret_cast<LPARAM>(&item));
    if (!hdc)
        ReleaseDC(hwnd, dc);
}

void set_pressed(HWND hwnd, bool pressed) {
    auto& state = button_states()[hwnd];
    if (state.pressed == pressed)
        return;
    state.pressed = pressed;
    draw_item(hwnd, ODA_SELECT, nullptr);
}

bool inside(HWND hwnd, LPARAM lparam) {
    Window* window = find_window(hwnd);
    const auto x = static_cast<short>(LOWORD(static_cast<UINT_PTR>(lparam)));
    const auto y = static_cast<short>(HIWORD(static_cast<UINT_PTR>(lparam)));
    return window && x >= 0 && y >= 0 && x < window->width() && y < window->height();
}

void release(HWND hwnd, LPARAM lparam) {
    auto& state = button_states()[hwnd];
    if (!state.tracking)
        return;
    const bool clicked = state.pressed && inside(hwnd, lparam);
    state.tracking = false;
    ReleaseCapture();
    set_pressed(hwnd, false);
    Window* window = find_window(hwnd);
    if (clicked && window)
        SendMessageA(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
}

} // namespace

LRESULT button_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC hdc = BeginPaint(hwnd, &paint);
        draw_item(hwnd, ODA_DRAWENTIRE, hdc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        set_focus(hwnd);
        SetCapture(hwnd);
        button_states()[hwnd].tracking = true;
        set_pressed(hwnd, true);
        return 0;
    case WM_MOUSEMOVE:
        if (button_states()[hwnd].tracking)
            set_pressed(hwnd, inside(hwnd, lparam));
        return 0;
    case WM_LBUTTONUP:
        release(hwnd, lparam);
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away while held: the button comes up without a click.
        if (reinterpret_cast<HWND>(lparam) != hwnd && button_states()[hwnd].tracking) {
            button_states()[hwnd].tracking = false;
            set_pressed(hwnd, false);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        draw_item(hwnd, ODA_FOCUS, nullptr);
        return 0;
    case WM_DESTROY:
        button_states().erase(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace host::user32
