// SetTimer and KillTimer. A Qt timer marks its window timer due; the queue turns a due timer into
// one WM_TIMER when nothing else waits, so a slow program never finds a pile of them (pinned by
// MessageQueue.a_slow_loop_gets_one_pending_wm_timer_not_a_pile).
#include "host/GuiThread.h"
#include "MessageQueue.h"
#include "Window.h"

#include <QTimer>

#include <list>
#include <memory>

namespace host::user32 {
namespace {

// Windows' shortest timer period.
constexpr UINT minimum_period = 10;

struct WindowTimer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC procedure = nullptr;
    std::unique_ptr<QTimer> timer;
    bool due = false;
};

std::list<WindowTimer>& timers() {
    static std::list<WindowTimer> running;
    return running;
}

std::list<WindowTimer>::iterator find_timer(HWND hwnd, UINT_PTR id) {
    auto& all = timers();
    return std::find_if(all.begin(), all.end(),
                        [&](WindowTimer const& t) { return t.hwnd == hwnd && t.id == id; });
}

// Ids for timers without a window, as Windows makes them up.
UINT_PTR next_thread_timer_id() {
    static UINT_PTR next = 0x7FFF;
    do
        ++next;
    while (find_timer(nullptr, next) != timers().end());
    return next;
}

} // namespace

std::optional<MSG> next_timer_message(MessageFilter const& filter, bool remove) {
    for (auto& timer : timers()) {
        if (!timer.due)
            continue;
        MSG msg = make_message(timer.hwnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.procedure));
        if (!filter.accepts(msg))
            continue;
        if (remove)
            timer.due = false;
        return msg;
    }
    return std::nullopt;
}

bool is_timer_procedure(HWND hwnd, UINT_PTR id, LPARAM procedure) {
    auto found = find_timer(hwnd, id);
    return found != timers().end() && reinterpret_cast<LPARAM>(found->procedure) == procedure;
}

void kill_window_timers(HWND hwnd) {
    timers().remove_if([&](WindowTimer const& t) { return t.hwnd == hwnd; });
}

} // namespace host::user32

using namespace host::user32;

extern "C" {

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC procedure) {
    if ((hwnd && !find_window(hwnd)) || !on_gui_thread() || !ensure_application())
        return 0;
    auto found = find_timer(hwnd, id);
    if (found == timers().end()) {
        if (!hwnd)
            id = next_thread_timer_id();
        timers().push_back(WindowTimer{hwnd, id, procedure, std::make_unique<QTimer>(), false});
        found = std::prev(timers().end());
        WindowTimer* timer = &*found;
        QObject::connect(timer->timer.get(), &QTimer::timeout, [timer] { timer->due = true; });
    }
    found->procedure = procedure;
    found->due = false;
    found->timer->start(static_cast<int>(std::max(milliseconds, minimum_period)));
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto found = find_timer(hwnd, id);
    if (found == timers().end())
        return FALSE;
    timers().erase(found);
    return TRUE;
}
}
