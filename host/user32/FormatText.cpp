// wsprintfA: Windows' own small printf. Integers are 32 bits whatever the size prefix; there is
// no floating point; a conversion it does not know prints its letter; output stops at 1024
// characters including the terminating NUL.
#include "host/user32.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace host::user32 {
namespace {

constexpr std::size_t buffer_limit = 1024;

struct Conversion {
    std::string flags;
    std::string width;
    std::string precision; // with its dot
    char type = 0;
};

// Reads "[-#0]*[width][.precision][h|l]type" after a '%'; returns the position after it.
char const* read_conversion(char const* format, Conversion& conversion) {
    while (*format == '-' || *format == '#' || *format == '0')
        conversion.flags += *format++;
    while (*format >= '0' && *format <= '9')
        conversion.width += *format++;
    if (*format == '.') {
        conversion.precision += *format++;
        while (*format >= '0' && *format <= '9')
            conversion.precision += *format++;
    }
    if (*format == 'h' || *format == 'l')
        ++format;
    conversion.type = *format;
    return *format ? format + 1 : format;
}

std::string format_one(Conversion const& conversion, va_list& arguments) {
    const std::string spec = "%" + conversion.flags + conversion.width + conversion.precision;
    char piece[buffer_limit];
    switch (conversion.type) {
    case 'd':
    case 'i':
        std::snprintf(piece, sizeof piece, (spec + "d").c_str(), va_arg(arguments, int));
        return piece;
    case 'u':
    case 'x':
    case 'X':
        std::snprintf(piece, sizeof piece, (spec + conversion.type).c_str(), va_arg(arguments, unsigned));
        return piece;
    case 'c':
    case 'C':
        std::snprintf(piece, sizeof piece, (spec + "c").c_str(), va_arg(arguments, int) & 0xFF);
        return piece;
    case 's':
    case 'S': {
        char const* text = va_arg(arguments, char const*);
        std::snprintf(piece, sizeof piece, (spec + "s").c_str(), text ? text : "(null)");
        return piece;
    }
    default:
        return conversion.type ? std::string(1, conversion.type) : std::string();
    }
}

} // namespace
} // namespace host::user32

extern "C" int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (!buffer || !format)
        return 0;
    std::string out;
    va_list arguments;
    va_start(arguments, format);
    for (char const* at = format; *at && out.size() < host::user32::buffer_limit;) {
        if (*at != '%') {
            out += *at++;
            continue;
        }
        host::user32::Conversion conversion;
        at = host::user32::read_conversion(at + 1, conversion);
        out += host::user32::format_one(conversion, arguments);
    }
    va_end(arguments);
    out.resize(std::min(out.size(), host::user32::buffer_limit - 1));
    out.copy(buffer, out.size());
    buffer[out.size()] = '\0';
    return static_cast<int>(out.size());
}
