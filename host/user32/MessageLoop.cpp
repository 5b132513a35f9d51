// The message loop functions: GetMessageA, PeekMessageA, TranslateMessage, DispatchMessageA,
// PostMessageA, SendMessageA, PostQuitMessage and DefWindowProcA.
#include "gdi32/Gdi.h"
#include "host/GuiThread.h"
#include "MessageQueue.h"
#include "SystemCommands.h"
#include "Window.h"
#include "host/kernel32.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>

namespace host::user32 {
namespace {

constexpr DWORD error_invalid_thread_id = 1444;

bool is_key_down(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

void copy_out(MSG* msg, QueuedMessage const& queued) {
    if (msg)
        *msg = queued.msg;
}

struct SendRequest {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
};

// WM_PAINT that its procedure did not answer with BeginPaint would come back for ever; the
// update region is dropped after dispatching it, as Windows does.
void validate_after_paint(HWND hwnd) {
    if (Window* window = find_window(hwnd)) {
        window->update_region = QRegion();
        window->erase_pending = false;
    }
}

// Takes what the window system has sent (input, exposures, calls from other threads) into the
// queue. A program that peeks after every small step of a long job (a copy in 1 KiB blocks) would
// spend most of its time polling the display connection, so PeekMessageA takes them at most once
// a millisecond; posted messages, timers and paints are this process's own and always seen.
void take_window_system_events() {
    using clock = std::chrono::steady_clock;
    static clock::time_point last{};
    const clock::time_point now = clock::now();
    if (now - last < std::chrono::milliseconds(1))
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    last = clock::now();
}

} // namespace
} // namespace host::user32

using namespace host::user32;

extern "C" {

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
    if (!on_gui_thread() || !ensure_application()) {
        SetLastError(error_invalid_thread_id);
        return -1;
    }
    const MessageFilter filter{hwnd, filter_min, filter_max};
    for (;;) {
        bury_now_if_idle();
        if (auto queued = MessageQueue::instance().take(filter, true)) {
            copy_out(msg, *queued);
            return queued->msg.message == WM_QUIT ? FALSE : TRUE;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
    if (!on_gui_thread() || !ensure_application()) {
        SetLastError(error_invalid_thread_id);
        return FALSE;
    }
    bury_now_if_idle();
    take_window_system_events();
    auto queued = MessageQueue::instance().take({hwnd, filter_min, filter_max}, (remove & PM_REMOVE) != 0);
    if (!queued)
        return FALSE;
    copy_out(msg, *queued);
    return TRUE;
}

// Posts WM_CHAR (WM_SYSCHAR) for a key press that types a character.
BOOL TranslateMessage(const MSG* msg) {
    if (!msg || !is_key_down(msg->message))
        return FALSE;
    const unsigned character = MessageQueue::instance().key_state().character;
    if (character == 0)
        return FALSE;
    QueuedMessage typed;
    typed.msg = *msg;
    typed.msg.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    typed.msg.wParam = character;
    typed.keys = MessageQueue::instance().key_state();
    typed.keys.character = 0;
    return MessageQueue::instance().post(typed) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam && is_timer_procedure(msg->hwnd, msg->wParam, msg->lParam)) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam,
                                                 static_cast<DWORD>(tick_count()));
        return 0;
    }
    if (!find_window(msg->hwnd))
        return 0;
    const LRESULT result = call_procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT)
        validate_after_paint(msg->hwnd);
    return result;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    QueuedMessage queued;
    queued.msg = make_message(hwnd, message, wparam, lparam);
    if (MessageQueue::instance().post(queued))
        return TRUE;
    SetLastError(1400); // ERROR_INVALID_WINDOW_HANDLE
    return FALSE;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    SendRequest request{hwnd, message, wparam, lparam, 0};
    run_on_gui_thread(
        [](void* context) {
            auto& r = *static_cast<SendRequest*>(context);
            r.result = call_procedure(r.hwnd, r.message, r.wparam, r.lparam);
        },
        &request);
    return request.result;
}

void PostQuitMessage(int exit_code) {
    MessageQueue::instance().post_quit(exit_code);
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        Window* window = find_window(hwnd);
        const HBRUSH brush = window ? window->window_class->background : nullptr;
        if (!brush)
            return 0;
        RECT client{0, 0, window->width(), window->height()};
        return fill_rect(reinterpret_cast<HDC>(wparam), client, brush) ? 1 : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        default_system_key(hwnd, message, wparam, lparam);
        return 0;
    case WM_SYSCOMMAND:
        default_system_command(hwnd, wparam, lparam);
        return 0;
    default:
        return 0;
    }
}
}
