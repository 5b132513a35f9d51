#include "host/mci/MessagePoster.h"

#include <mutex>

namespace host::mci {

namespace {

std::mutex poster_mutex;
MessagePoster& installed_poster() {
    static MessagePoster poster;
    return poster;
}

} // namespace

MessagePoster set_message_poster(MessagePoster poster) {
    std::lock_guard lock(poster_mutex);
    std::swap(installed_poster(), poster);
    return poster;
}

void post_message(void* hwnd, unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
    if (!hwnd)
        return;
    MessagePoster poster;
    {
        // Copied out so that a slow poster never holds the lock another thread is waiting on.
        std::lock_guard lock(poster_mutex);
        poster = installed_poster();
    }
    if (poster)
        poster(hwnd, message, wparam, lparam);
}

} // namespace host::mci
