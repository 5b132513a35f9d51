// session_member: a program with one window for the session tests. It appends what its window
// hears to LOG, one line each, "<pid> <event>", so tests running several of them read one story:
//   session_member LOG [--refuse] [--log-off] [--force]
// --refuse answers WM_QUERYENDSESSION with FALSE; --log-off calls ExitWindowsEx once its message
// loop runs (with EWX_FORCE under --force).
#include "host/user32.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

char const* g_log = nullptr;
bool g_refuse = false;
bool g_force = false;
constexpr UINT log_off_now = WM_USER + 1;

void note(std::string const& event) {
    const std::string line = std::to_string(getpid()) + " " + event + "\n";
    const int fd = open(g_log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t written = write(fd, line.data(), line.size());
        close(fd);
    }
}

LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        note(lparam == ENDSESSION_LOGOFF ? "query logoff" : "query");
        return g_refuse ? FALSE : TRUE;
    case WM_ENDSESSION:
        note(wparam ? "end 1" : "end 0");
        return 0;
    case log_off_now:
        note(ExitWindowsEx(g_force ? EWX_FORCE : EWX_LOGOFF, 0xFFFFFFFF) ? "asked" : "ask failed");
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    g_log = argv[1];
    bool log_off = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        g_refuse |= option == "--refuse";
        g_force |= option == "--force";
        log_off |= option == "--log-off";
    }
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = "SessionMember";
    if (!RegisterClassA(&window_class))
        return 3;
    const HWND hwnd = CreateWindowExA(0, "SessionMember", "member", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
    if (!hwnd)
        return 4;
    note("ready");
    if (log_off)
        PostMessageA(hwnd, log_off_now, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    note("quit");
    return 0;
}
