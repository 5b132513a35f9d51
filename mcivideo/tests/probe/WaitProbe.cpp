// A program that waits on a video device as a program would: it opens the clip named on its
// command line, shows a window of its own and the device's, says "ready <own window> <video
// window>" (X window ids) and sends "play m wait" from its GUI thread. When the call returns it
// says "returned <code> <key presses its window procedure got during the wait> <key presses
// waiting in its queue after it, other than Ctrl and Shift> <mode> <position> <length>" (times in
// milliseconds).
#include "host/kernel32.h"
#include "host/user32.h"
#include "host/winmm.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>

namespace {

bool waiting = false;
int keys_during_wait = 0;

LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KEYDOWN && waiting)
        ++keys_during_wait;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

std::string ask(const std::string& command) {
    char reply[256] = "";
    MCIERROR error = mciSendStringA(command.c_str(), reply, sizeof reply, nullptr);
    return error ? "error" + std::to_string(error) : std::string(reply);
}

unsigned long x_window(HWND hwnd) {
    QWidget* widget = host::window_widget(hwnd);
    return widget ? static_cast<unsigned long>(widget->winId()) : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wait_probe DOS-PATH\n");
        return 2;
    }
    QApplication application(argc, argv);
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = "WaitProbe";
    RegisterClassA(&window_class);
    HWND own = CreateWindowExA(0, "WaitProbe", "caller", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 500, 400, 200, 150, nullptr,
                               nullptr, nullptr, nullptr);
    std::string open = std::string("open ") + argv[1] + " type MPEGVideo alias m style popup wait";
    if (mciSendStringA(open.c_str(), nullptr, 0, nullptr) != 0)
        return 1;
    auto video = reinterpret_cast<HWND>(std::stoull(ask("status m window handle wait")));
    ask("put m window at 10 10 352 288 wait");
    ask("window m state show wait");
    // Let the windows reach the screen before the caller blocks.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    std::printf("ready %lu %lu\n", x_window(own), x_window(video));
    std::fflush(stdout);

    waiting = true;
    MCIERROR code = mciSendStringA("play m wait", nullptr, 0, nullptr);
    waiting = false;
    int keys_after = 0;
    MSG msg;
    while (PeekMessageA(&msg, own, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
        if (msg.wParam != VK_CONTROL && msg.wParam != VK_SHIFT)
            ++keys_after;
    ask("set m time format milliseconds wait");
    std::printf("returned %u %d %d %s %s %s\n", code, keys_during_wait, keys_after, ask("status m mode wait").c_str(),
                ask("status m position wait").c_str(), ask("status m length wait").c_str());
    std::fflush(stdout);
    ask("close m wait");
    DestroyWindow(own);
    return 0;
}
