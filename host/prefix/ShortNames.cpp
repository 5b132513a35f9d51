#include "ShortNames.h"

#include "host/AnsiCodePage.h"

#include <cctype>
#include <cstdint>

namespace host {
namespace {

constexpr std::string_view kInvalidShortChars = "*?<>|\"+=,;[] ";
constexpr std::string_view kHashAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";

bool is_invalid_short_char(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || u < 0x20 || kInvalidShortChars.find(c) != std::string_view::npos;
}

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::uint16_t hash_name(std::string_view name) {
    std::uint16_t h = 0xBEEF;
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<std::uint16_t>(static_cast<unsigned char>(lower(name[i])));
        std::uint16_t step = static_cast<std::uint16_t>((h << 3) ^ (h >> 5) ^ c);
        if (i + 1 < name.size())
            step ^= static_cast<std::uint16_t>(static_cast<unsigned char>(lower(name[i + 1])) << 8);
        h = step;
    }
    return h;
}

} // namespace

bool is_valid_short_name(std::string_view name) {
    if (name.empty() || name.size() > 12 || name.front() == '.')
        return false;
    if (name == "." || name == "..")
        return true;
    auto dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
    if (base.empty() || base.size() > 8)
        return false;
    if (dot != std::string_view::npos && (ext.empty() || ext.size() > 3 || ext.find('.') != std::string_view::npos))
        return false;
    for (char c : name)
        if (c != '.' && is_invalid_short_char(c))
            return false;
    return true;
}

std::string dos_name_of(std::string_view host_name) {
    if (auto ansi = utf8_to_ansi(host_name))
        return *ansi;
    return short_name_of(host_name);
}

std::string short_name_of(std::string_view long_name) {
    if (is_valid_short_name(long_name)) {
        std::string same(long_name);
        for (char& c : same)
            c = upper(c);
        return same;
    }
    std::uint16_t h = hash_name(long_name);

    auto last_dot = long_name.rfind('.');
    // A name that only starts with dots has no extension.
    std::size_t first_real = long_name.find_first_not_of('.');
    if (last_dot != std::string_view::npos && (first_real == std::string_view::npos || last_dot < first_real))
        last_dot = std::string_view::npos;
    std::string_view base_part = long_name.substr(0, last_dot);

    std::string result;
    for (char c : base_part) {
        if (result.size() == 4)
            break;
        if (c == '.')
            continue;
        result += is_invalid_short_char(c) ? '_' : upper(c);
    }
    while (result.size() < 5)
        result += '~';
    result += kHashAlphabet[(h >> 10) & 31];
    result += kHashAlphabet[(h >> 5) & 31];
    result += kHashAlphabet[h & 31];

    if (last_dot != std::string_view::npos && last_dot + 1 < long_name.size()) {
        std::string ext;
        for (char c : long_name.substr(last_dot + 1)) {
            if (ext.size() == 3)
                break;
            ext += is_invalid_short_char(c) ? '_' : upper(c);
        }
        result += '.';
        result += ext;
    }
    return result;
}

} // namespace host
