// ProfileText on arbitrary bytes: never fails, a value written reads back, no line end is lost,
// and writing the same value again changes nothing.
#include "kernel32/ProfileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::string random_profile(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"[", "]", "=", "\r\n", "\n", "\r", " ", "\t", ";", "\"", "'",
                                                    "\x1a", std::string(1, '\0'), "sec", "Key", "key", "v", "\xff"};
    std::string text;
    std::uniform_int_distribution<std::size_t> count(0, 60), pick(0, pieces.size() - 1);
    for (std::size_t i = count(random); i > 0; --i)
        text += pieces[pick(random)];
    return text;
}

TEST(ProfileTextProperty, set_reads_back_and_keeps_text_before_section) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 3000; ++round) {
        std::string before = random_profile(random);
        host::ProfileText text(before);
        text.set("Sec", "key", "value 1");
        ASSERT_EQ(text.value("sec", "KEY"), "value 1") << testing::PrintToString(before);
        // A write adds or replaces within one line: it never takes away a line end.
        const std::string& after = text.bytes();
        auto line_ends = [](const std::string& s) { return std::count(s.begin(), s.end(), '\n') + std::count(s.begin(), s.end(), '\r'); };
        ASSERT_GE(line_ends(after), line_ends(before)) << testing::PrintToString(before);
        host::ProfileText again(after);
        again.set("Sec", "key", "value 1");
        ASSERT_EQ(again.bytes(), after) << "a second identical write must change nothing";
        again.remove_key("sec", "key");
        again.remove_section("SEC");
        again.section_names();
    }
}

} // namespace
