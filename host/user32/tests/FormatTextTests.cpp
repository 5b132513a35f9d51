// wsprintfA against the formats the programs use and Windows' limits.
#include "host/user32.h"

#include <gtest/gtest.h>

#include <string>

TEST(FormatText, conversions_format_as_windows_does) {
    char buffer[1024];
    auto run = [&](auto... arguments) {
        const int length = wsprintfA(buffer, arguments...);
        EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
        return std::string(buffer);
    };
    EXPECT_EQ(run("open %s type %s alias xyzmpeg parent %d style popup wait", "C:\\A.MPG", "MPEGMovie", 4242),
              "open C:\\A.MPG type MPEGMovie alias xyzmpeg parent 4242 style popup wait");
    EXPECT_EQ(run(" %2.2d/%2.2d", 1, 3), " 01/03");
    EXPECT_EQ(run("%8.8d.BMP", 42), "00000042.BMP");
    EXPECT_EQ(run("%2.2d%%", 7), "07%");
    EXPECT_EQ(run("%2.2d%%", -5), "-05%");
    EXPECT_EQ(run("%-5d|%5d", 7, -7), "7    |   -7");
    EXPECT_EQ(run("%x %X %u", 255, 255, -1), "ff FF 4294967295");
    EXPECT_EQ(run("%ld %li %hd", 5, -6, 7), "5 -6 7");
    EXPECT_EQ(run("%c%c", 'O', 'K'), "OK");
    EXPECT_EQ(run("%5.2s|", "abc"), "   ab|");
    EXPECT_EQ(run("[%s]", static_cast<char const*>(nullptr)), "[(null)]");
    EXPECT_EQ(run("%f"), "f") << "no floating point: the letter itself";
}

TEST(FormatText, output_stops_at_1024_characters_with_the_terminator) {
    std::string long_text(3000, 'x');
    char buffer[2048];
    EXPECT_EQ(wsprintfA(buffer, "%s%s", long_text.c_str(), "tail"), 1023);
    EXPECT_EQ(std::string(buffer), std::string(1023, 'x'));
}
