#include "CallbackWindow.h"

#include "host/winmm.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

bool print_messages = false;
constexpr const char* class_name = "McishellCallback";

LRESULT callback_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == MM_MCINOTIFY || message == MM_MCISIGNAL) {
        if (print_messages) {
            std::fprintf(stderr, "%s\t%lu\t%ld\n", message == MM_MCINOTIFY ? "MM_MCINOTIFY" : "MM_MCISIGNAL",
                         static_cast<unsigned long>(wparam), static_cast<long>(lparam));
            std::fflush(stderr);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

CallbackWindow::CallbackWindow(bool print) {
    print_messages = print;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = callback_procedure;
    window_class.lpszClassName = class_name;
    RegisterClassA(&window_class);
    // A popup window that is never shown: it exists only to receive posted messages.
    m_handle =
        CreateWindowExA(0, class_name, "mcishell", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

CallbackWindow::~CallbackWindow() {
    if (m_handle)
        DestroyWindow(m_handle);
}

void CallbackWindow::pump_messages() {
    QCoreApplication::processEvents();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
