// How the MCI layer reaches windows: every MM_MCINOTIFY and MM_MCISIGNAL goes through one
// process-wide poster, installed by the host's window module, which queues the message for the
// window's own thread (as PostMessage does). Until one is installed, messages are dropped.
//
// The poster is called from any thread: the thread of mciSendStringA for notifications of
// commands that complete at once, the engine's threads for signals and late notifications. It
// must not block and must not call back into mciSendStringA.
#pragma once

#include <cstdint>
#include <functional>

namespace host::mci {

using MessagePoster =
    std::function<void(void* hwnd, unsigned message, std::uintptr_t wparam, std::intptr_t lparam)>;

// Installs the poster (an empty function removes it) and returns the previous one.
MessagePoster set_message_poster(MessagePoster poster);

// Posts through the installed poster; does nothing for a null window or without a poster.
void post_message(void* hwnd, unsigned message, std::uintptr_t wparam, std::intptr_t lparam);

} // namespace host::mci
