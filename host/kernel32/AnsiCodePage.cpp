#include "host/AnsiCodePage.h"

#include <array>

namespace host {
namespace {

// 0x80-0x9F; the rest of the code page is the first 256 Unicode characters.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 character at `at`, moving past it; nothing for a malformed sequence.
std::optional<char32_t> next_utf8(std::string_view text, std::size_t& at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return std::nullopt;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kShortest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    at += length;
    return value;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char16_t ansi_to_unicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
}

std::optional<unsigned char> unicode_to_ansi(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

QString from_ansi(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[static_cast<qsizetype>(i)] = QChar(ansi_to_unicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::string to_ansi(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        bytes += static_cast<char>(unicode_to_ansi(c).value_or('?'));
    }
    return bytes;
}

std::string ansi_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes)
        append_utf8(out, ansi_to_unicode(static_cast<unsigned char>(byte)));
    return out;
}

std::optional<std::string> utf8_to_ansi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        auto c = next_utf8(utf8, at);
        if (!c)
            return std::nullopt;
        auto byte = unicode_to_ansi(*c);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

char ansi_lower(char byte) {
    auto b = static_cast<unsigned char>(byte);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) // À..Þ, not ×
        return static_cast<char>(b + 0x20);
    switch (b) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<char>(b + 0x10);
    case 0x9F: // Ÿ
        return static_cast<char>(0xFF);
    default:
        return byte;
    }
}

} // namespace host
