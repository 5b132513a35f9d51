#include "core/CommandChannel.h"

#include "host/user32_dialogs.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace player {

char command_buffer[command_buffer_size];
char reply_buffer[reply_buffer_size];
char aux_reply_buffer[reply_buffer_size];

namespace {

MCIERROR send_command_buffer(char* reply, HWND callback) {
    return mciSendStringA(command_buffer, reply, reply ? reply_buffer_size : 0, callback);
}

} // namespace

MCIERROR send_command(char* reply, HWND callback, char const* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(command_buffer, sizeof command_buffer, format, arguments);
    va_end(arguments);
    return send_command_buffer(reply, callback);
}

MCIERROR send_to_device(char* reply, HWND callback, char const* format, ...) {
    char command[command_buffer_size];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(command, sizeof command, format, arguments);
    va_end(arguments);
    const std::size_t word = std::strcspn(command, " ");
    std::snprintf(command_buffer, sizeof command_buffer, "%.*s %s%s", static_cast<int>(word), command,
                  device_alias, command + word);
    return send_command_buffer(reply, callback);
}

std::int32_t parse_int(char const* text) {
    if (!text)
        return 0;
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const bool negative = *text == '-';
    if (*text == '+' || *text == '-')
        ++text;
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text)
        value = std::min(value * 10 + (*text - '0'), limit);
    value = negative ? -value : std::min<std::int64_t>(value, limit - 1);
    return static_cast<std::int32_t>(value);
}

HWND parse_handle(char const* text) {
    if (!text)
        return nullptr;
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    if (!std::isdigit(static_cast<unsigned char>(*text)))
        return nullptr;
    const unsigned long long value = std::strtoull(text, nullptr, 10);
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

void copy_text(char* to, std::size_t size, char const* text) {
    if (size == 0)
        return;
    std::size_t length = 0;
    while (length + 1 < size && text[length] != '\0')
        ++length;
    std::memcpy(to, text, length);
    to[length] = '\0';
}

MCIERROR beep_on_failure(MCIERROR error) {
    if (error != 0)
        MessageBeep(0xFFFFFFFF);
    return error;
}

} // namespace player
