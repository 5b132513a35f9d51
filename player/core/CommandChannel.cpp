#include "core/CommandChannel.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace player {

char command_buffer[command_buffer_size];
char reply_buffer[reply_buffer_size];
char aux_reply_buffer[reply_buffer_size];

MCIERROR send_command(char* reply, HWND callback, char const* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(command_buffer, sizeof command_buffer, format, arguments);
    va_end(arguments);
    return mciSendStringA(command_buffer, reply, reply ? reply_buffer_size : 0, callback);
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

} // namespace player
