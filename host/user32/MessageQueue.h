// The GUI thread's message queue. Posted and input messages wait here in order; WM_QUIT is a
// flag taken once the posted messages before it are gone; WM_PAINT and WM_TIMER are made up when
// nothing else is waiting, as Windows does.
//
// Threads: post() and post_quit() from any thread (they wake the GUI thread's event loop); the
// rest on the GUI thread.
#pragma once

#include "host/user32.h"

#include <deque>
#include <mutex>
#include <optional>
#include <unordered_set>

namespace host::user32 {

// The modifier keys and the character of a keyboard message, recorded when it was queued; the
// state of the last message taken is what TranslateMessage and TranslateAcceleratorA consult,
// as Windows' key state follows the messages retrieved.
struct KeyState {
    bool shift = false;
    bool control = false;
    bool alt = false;
    unsigned character = 0; // the character a WM_KEYDOWN produces; 0 for none
};

struct QueuedMessage {
    MSG msg{};
    KeyState keys;
};

struct MessageFilter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;

    bool accepts(MSG const& msg) const;
};

class MessageQueue {
  public:
    static MessageQueue& instance();

    // False when the window is not a live window (a null window posts to the thread).
    bool post(QueuedMessage message);
    void post_quit(int exit_code);

    // The next message in Windows order (posted and input, quit, paint, timer); removes it when
    // asked. Sets the key state of the thread when a message is removed.
    std::optional<QueuedMessage> take(MessageFilter const& filter, bool remove);

    KeyState const& key_state() const { return m_key_state; }

    // Windows that accept posted messages.
    void add_live(HWND hwnd);
    void remove_live(HWND hwnd);

  private:
    std::optional<QueuedMessage> take_posted(MessageFilter const& filter, bool remove);
    static void wake();

    mutable std::mutex m_mutex;
    std::deque<QueuedMessage> m_posted;
    std::optional<int> m_quit;
    std::unordered_set<HWND> m_live;
    KeyState m_key_state; // GUI thread
};

// Made-up messages, from paint.cpp and Timers.cpp.
std::optional<MSG> next_paint_message(MessageFilter const& filter);
// Some window's update region has grown: the next look for WM_PAINT scans the windows. Until
// then a look finds nothing at once (a loop that peeks after every small step scans no windows).
void note_update_region_grown();
std::optional<MSG> next_timer_message(MessageFilter const& filter, bool remove);
bool is_timer_procedure(HWND hwnd, UINT_PTR id, LPARAM procedure);
void kill_window_timers(HWND hwnd);

MSG make_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace host::user32
