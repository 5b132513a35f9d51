// desktop_probe: acts on a desktop window through the host's window functions, as another
// program would, and prints what it saw. One command a run:
//   find TITLE           "found" or "none"
//   text TITLE           GetWindowTextA of the window found
//   settext TITLE NEW    SetWindowTextA
//   iconic TITLE         IsIconic: 1 or 0
//   visible TITLE        IsWindowVisible: 1 or 0
//   show TITLE N         ShowWindow with SW_ value N
//   raise TITLE          BringWindowToTop
//   pid TITLE            the window's process id
//   list                 every top-level window, top first: "pid<TAB>title"
//   owned SECONDS        shows a window "Owner" and a popup "Owned" that it owns, prints "ready"
//                        and keeps them for SECONDS while handling their messages
//   msgbox CAPTION TEXT [TYPE]  shows MessageBoxA (MB_ type value TYPE, default MB_OK) and
//                        prints the answer's id
//   frames COUNT         shows a popup "Frames" of 64x48 at (20, 20) and presents COUNT pictures
//                        in picture memory shared with the X server (host/SharedPixels.h), red and
//                        blue by turns, then one whose left half is green and right half magenta;
//                        prints "puts=P segments=S free=F" (the pool, once the server has read
//                        them) and "ready", and keeps the window for 60 s
// Exit status 0 when the command ran, 1 when no window has the title, 2 for a bad command.
// Titles are UTF-8 on its command line and in what it prints, and ANSI at the window functions.
#include "host/AnsiCodePage.h"
#include "host/SharedPixels.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <QImage>

#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string ansi(const char* utf8) { return host::to_ansi(QString::fromUtf8(utf8)); }
std::string utf8(const char* ansi) { return host::from_ansi(ansi).toStdString(); }

BOOL print_window(HWND hwnd, LPARAM) {
    char title[512] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    std::printf("%lu\t%s\n", static_cast<unsigned long>(process), utf8(title).c_str());
    return TRUE;
}

// Handles the messages of the thread for `duration`.
void pump_for(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    MSG msg{};
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Registers a window class of the probe with the default window procedure.
bool register_probe_class(const char* name) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = name;
    return RegisterClassA(&window_class) != 0;
}

// An owner and a popup it owns, as a player shows its video window, kept for `seconds`.
int show_owned(int seconds) {
    if (!register_probe_class("ProbeWindow"))
        return 1;
    HWND owner = CreateWindowExA(0, "ProbeWindow", "Owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND owned = CreateWindowExA(0, "ProbeWindow", "Owned", WS_POPUP | WS_VISIBLE, 150, 150, 100, 80, owner, nullptr,
                                 nullptr, nullptr);
    if (!owner || !owned)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    pump_for(std::chrono::seconds(seconds));
    return 0;
}

// A picture in shared memory when the pool gives some (else on the heap), filled by `colour_at`.
QImage shared_picture(int width, int height, QRgb (*colour_at)(int x)) {
    const std::size_t size = std::size_t(width) * 4 * std::size_t(height);
    host::SharedPixels pixels = host::take_shared_pixels(size);
    QImage picture;
    if (pixels.data) {
        auto* owner = new std::shared_ptr<void>(std::move(pixels.owner));
        picture = QImage(
            pixels.data, width, height, width * 4, QImage::Format_RGB32,
            [](void* held) { delete static_cast<std::shared_ptr<void>*>(held); }, owner);
    } else {
        picture = QImage(width, height, QImage::Format_RGB32);
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(const_cast<uchar*>(picture.constScanLine(y)));
        for (int x = 0; x < width; ++x)
            row[x] = colour_at(x);
    }
    return picture;
}

int present_frames(int count) {
    if (!register_probe_class("ProbeFrames"))
        return 1;
    HWND window = CreateWindowExA(0, "ProbeFrames", "Frames", WS_POPUP | WS_VISIBLE, 20, 20, 64, 48, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!window)
        return 1;
    pump_for(std::chrono::milliseconds(200));
    for (int i = 0; i < count; ++i) {
        host::present_frame(window, shared_picture(64, 48, i % 2 ? [](int) { return qRgb(0, 0, 255); }
                                                                  : [](int) { return qRgb(255, 0, 0); }));
        pump_for(std::chrono::milliseconds(20));
    }
    host::present_frame(window,
                        shared_picture(64, 48, [](int x) { return x < 32 ? qRgb(0, 255, 0) : qRgb(255, 0, 255); }));
    pump_for(std::chrono::milliseconds(300));
    const host::SharedPixelCounts counts = host::shared_pixel_counts();
    std::printf("puts=%zu segments=%zu free=%zu\nready\n", counts.puts, counts.segments, counts.free);
    std::fflush(stdout);
    pump_for(std::chrono::seconds(60));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string command = argv[1];
    if (command == "list")
        return EnumWindows(print_window, 0) ? 0 : 1;
    if (argc < 3)
        return 2;
    if (command == "frames")
        return present_frames(std::atoi(argv[2]));
    if (command == "owned")
        return show_owned(std::atoi(argv[2]));
    if (command == "msgbox" && argc > 3) {
        const UINT type = argc > 4 ? static_cast<UINT>(std::atoi(argv[4])) : MB_OK;
        std::printf("%d\n", MessageBoxA(nullptr, ansi(argv[3]).c_str(), ansi(argv[2]).c_str(), type));
        return 0;
    }
    HWND window = FindWindowA(nullptr, ansi(argv[2]).c_str());
    if (command == "find") {
        std::puts(window ? "found" : "none");
        return 0;
    }
    if (!window)
        return 1;
    if (command == "text") {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        std::puts(utf8(text).c_str());
    } else if (command == "settext" && argc > 3) {
        return SetWindowTextA(window, ansi(argv[3]).c_str()) ? 0 : 1;
    } else if (command == "iconic") {
        std::puts(IsIconic(window) ? "1" : "0");
    } else if (command == "visible") {
        std::puts(IsWindowVisible(window) ? "1" : "0");
    } else if (command == "show" && argc > 3) {
        ShowWindow(window, std::atoi(argv[3]));
    } else if (command == "raise") {
        return BringWindowToTop(window) ? 0 : 1;
    } else if (command == "pid") {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        std::printf("%lu\n", static_cast<unsigned long>(process));
    } else {
        return 2;
    }
    return 0;
}
