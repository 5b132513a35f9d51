#include "core/MainWindow.h"

#include "core/CommandDispatch.h"
#include "core/CreationSteps.h"
#include "core/ExitPath.h"
#include "core/PanelBitmaps.h"
#include "core/PanelPainter.h"
#include "core/Player.h"
#include "core/PlayerTick.h"

#include "host/winmm.h"

namespace player {

namespace {

// WM_CREATE. The window handle is kept before anything else runs, since the steps address the
// main window through it. The enumeration may destroy the window (no MCI device list): then
// nothing further is created.
void on_create(HWND hwnd) {
    windows.main_window = hwnd;
    if (state.use_other_devices)
        enumerate_other_devices();
    if (windows.main_window != hwnd)
        return;
    install_driver_package();
    if (!carries_package_index())
        build_package();
    register_mci_drivers();
    create_panel_buttons();
    build_main_menu();
}

void on_destroy(HWND hwnd) {
    delete_panel_bitmaps();
    destroy_main_menu();
    if (windows.main_window == hwnd)
        windows.main_window = nullptr;
    PostQuitMessage(0);
}

} // namespace

LRESULT main_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        on_create(hwnd);
        return 0;
    case WM_PAINT:
        paint_main_window(hwnd);
        return 0;
    case WM_DRAWITEM:
        return handle_draw_item(*reinterpret_cast<DRAWITEMSTRUCT const*>(lparam));
    case WM_COMMAND:
        dispatch_command(LOWORD(wparam));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        handle_panel_mouse(message, wparam, lparam);
        return 0;
    case WM_MOVE:
        // Dragged by the panel: pop-ups placed by the window's position follow it there.
        state.window_x = static_cast<short>(LOWORD(lparam));
        state.window_y = static_cast<short>(HIWORD(lparam));
        return 0;
    case WM_CLOSE:
        // Alt+F4 and the window manager's close: the orderly exit, which closes the device first.
        request_exit();
        return 0;
    case WM_TIMER:
    case MM_MCISIGNAL:
        player_tick();
        return 0;
    case WM_SYSCOMMAND:
        // Refusing the screen saver while this window is active: the host then holds the
        // desktop's screen-saver inhibition for it.
        if ((wparam & 0xFFF0) == SC_SCREENSAVE)
            return 1;
        return DefWindowProcA(hwnd, message, wparam, lparam);
    case WM_DESTROY:
    case WM_QUIT:
        on_destroy(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace player
