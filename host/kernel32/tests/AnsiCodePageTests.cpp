// The ANSI code page (Windows-1252) between the `A` functions' bytes and Unicode.
#include "host/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AnsiCodePage, every_byte_survives_the_trip_through_unicode_and_utf8) {
    for (int b = 0; b < 256; ++b) {
        std::string const byte(1, static_cast<char>(b));
        QString const text = host::from_ansi(byte);
        ASSERT_EQ(text.size(), 1) << b;
        EXPECT_EQ(host::to_ansi(text), byte) << b;
        EXPECT_EQ(host::utf8_to_ansi(host::ansi_to_utf8(byte)), byte) << b;
        EXPECT_EQ(host::ansi_to_utf8(byte), text.toStdString()) << b;
    }
}

struct Mapping {
    unsigned char byte;
    char16_t character;
};

TEST(AnsiCodePage, bytes_map_as_windows_maps_them) {
    // The undefined bytes of Windows-1252 stand for the control characters of the same number.
    constexpr Mapping kMappings[] = {{0x41, u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160},
                                     {0x8D, 0x008D},  {0x8F, 0x008F}, {0x90, 0x0090}, {0x92, 0x2019},
                                     {0x9D, 0x009D},  {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9},
                                     {0xFE, 0x00FE},  {0xFF, 0x00FF}};
    for (Mapping const& m : kMappings) {
        EXPECT_EQ(host::ansi_to_unicode(m.byte), m.character) << int(m.byte);
        EXPECT_EQ(host::unicode_to_ansi(m.character), m.byte) << int(m.byte);
    }
}

TEST(AnsiCodePage, characters_outside_the_code_page_become_question_marks_or_no_name) {
    EXPECT_EQ(host::to_ansi(QStringLiteral("a\u4E2Db\u0080")), "a?b?");
    EXPECT_EQ(host::to_ansi(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y"); // one character, one "?"
    EXPECT_EQ(host::utf8_to_ansi("Caf\xC3\xA9"), "Caf\xE9");
    EXPECT_EQ(host::utf8_to_ansi("\xE6\x97\xA5\xE6\x9C\xAC"), std::nullopt); // no ANSI spelling
    EXPECT_EQ(host::utf8_to_ansi("Caf\xE9"), std::nullopt);                  // not UTF-8
    EXPECT_EQ(host::utf8_to_ansi("\xC0\xAF"), std::nullopt);                 // overlong
    EXPECT_EQ(host::utf8_to_ansi("\xED\xA0\x80"), std::nullopt);             // a lone surrogate
}

TEST(AnsiCodePage, letters_fold_to_lower_case_within_the_code_page) {
    EXPECT_EQ(host::ansi_lower('A'), 'a');
    EXPECT_EQ(host::ansi_lower('\xC9'), '\xE9'); // É
    EXPECT_EQ(host::ansi_lower('\x8A'), '\x9A'); // Š
    EXPECT_EQ(host::ansi_lower('\x9F'), '\xFF'); // Ÿ
    EXPECT_EQ(host::ansi_lower('\xD7'), '\xD7'); // × is no letter
    EXPECT_EQ(host::ansi_lower('\xDF'), '\xDF'); // ß has no capital here
}

} // namespace
