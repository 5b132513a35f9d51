#include "core/MessageLoop.h"

#include "core/Player.h"

namespace player {

namespace {

void handle(MSG& msg) {
    if (windows.main_window && windows.accelerators &&
        TranslateAcceleratorA(windows.main_window, windows.accelerators, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

} // namespace

int run_message_loop() {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 0; // not the GUI thread: nothing can be handled
        handle(msg);
    }
}

// A quit message taken here belongs to the main loop: it is put back for it, and the running
// long operation is told to end, as ESC would.
void pump_one_message() {
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return;
    if (msg.message == WM_QUIT) {
        state.idle = true;
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
    }
    handle(msg);
}

} // namespace player
