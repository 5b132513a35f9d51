// The ANSI code page of the system: Windows-1252, as an English Windows 95 has it. Text passes
// through it wherever it crosses between the `A` functions (bytes) and the Qt side (Unicode) or
// the Linux file system (UTF-8 names), in both directions, so that every byte survives the trip:
// the bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, as Windows maps them.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace host {

// The Unicode character of an ANSI byte.
char16_t ansi_to_unicode(unsigned char byte);
// The ANSI byte of a Unicode character; nothing when the code page has no such character.
std::optional<unsigned char> unicode_to_ansi(char32_t character);

// ANSI text as Unicode: every byte has its character.
QString from_ansi(std::string_view bytes);
// Unicode text as ANSI; a character the code page lacks becomes "?", as Windows writes it.
std::string to_ansi(QStringView text);

// File names: the Linux disk holds them in UTF-8. An ANSI name as a UTF-8 name, and a UTF-8
// name as its ANSI spelling, or nothing when it has none (a character outside the code page,
// or bytes that are not UTF-8).
std::string ansi_to_utf8(std::string_view bytes);
std::optional<std::string> utf8_to_ansi(std::string_view utf8);

// The lower-case letter of an ANSI byte, for names that match without regard to case
// ("CAFÉ" finds "café"); other bytes are returned as they are.
char ansi_lower(char byte);

}
