// The MCI command channel: every command string the player sends is formatted into
// command_buffer and handed to mciSendStringA; replies land in reply_buffer or
// aux_reply_buffer. GUI thread only, like the whole player.
#pragma once

#include "core/PlayerState.h"

#include "host/winmm.h"

#include <cstddef>
#include <cstdint>

namespace player {

extern char command_buffer[command_buffer_size];
extern char reply_buffer[reply_buffer_size];
extern char aux_reply_buffer[reply_buffer_size];

// Formats the command (printf conventions; a text longer than the buffer is cut, never written
// past it) and sends it with `reply` (reply_buffer_size characters) or no reply buffer, and
// `callback` or no callback window. Returns the MCI error code, 0 on success.
MCIERROR send_command(char* reply, HWND callback, char const* format, ...)
    __attribute__((format(printf, 3, 4)));

// The same for a command to the player's device, written without the alias: device_alias goes
// in after the command word, so "seek to %d wait" is sent as "seek <alias> to %d wait" and
// "pause" as "pause <alias>". Device commands are quoted this way throughout the player.
MCIERROR send_to_device(char* reply, HWND callback, char const* format, ...)
    __attribute__((format(printf, 3, 4)));

// A reply's leading decimal integer: white space skipped, one optional sign, digits up to the
// first non-digit; no digits gives 0. Held to the 32-bit range.
std::int32_t parse_int(char const* text);

// A window handle as a reply gives it: the leading unsigned decimal number in full (handles may
// not fit 32 bits), or null when there is none.
HWND parse_handle(char const* text);

// The default system beep (MessageBeep 0xFFFFFFFF) when `error` is not 0; returns `error`.
MCIERROR beep_on_failure(MCIERROR error);

// Copies `text` into the `size`-character buffer `to`, cut to fit and always terminated.
void copy_text(char* to, std::size_t size, char const* text);

// The alias under which the player drives its one device.
inline constexpr char device_alias[] = "xyzmpeg";

} // namespace player
