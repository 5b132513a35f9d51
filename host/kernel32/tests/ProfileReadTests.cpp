// GetPrivateProfileStringA against files of known bytes.
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* fallback;
    std::string expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, returns_value_or_default) {
    TempPrefix prefix;
    const auto& c = GetParam();
    prefix.write("C:\\TEST.INI", c.file);
    char buffer[1024];
    DWORD length = GetPrivateProfileStringA(c.section, c.key, c.fallback, buffer, sizeof buffer, "C:\\TEST.INI");
    EXPECT_EQ(std::string(buffer, length), c.expected);
    EXPECT_EQ(length, std::strlen(buffer));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    ::testing::Values(
        ReadCase{"plain", "[a]\r\nk=v\r\n", "a", "k", "d", "v"},
        ReadCase{"names_ignore_case", "[Options]\r\nBootKeys=1\r\n", "options", "Bootkeys", "0", "1"},
        ReadCase{"lines_above_first_section_invisible", "k=top\r\n[s]\r\nx=1\r\n", "s", "k", "d", "d"},
        ReadCase{"empty_value_is_not_default", "[s]\r\nk=\r\n", "s", "k", "d", ""},
        ReadCase{"blanks_around_equals_trimmed", "[s]\r\n  k \t=  v v  \r\n", "s", "k", "d", "v v"},
        ReadCase{"double_quotes_removed", "[s]\r\nk=\"q r\"\r\n", "s", "k", "d", "q r"},
        ReadCase{"single_quotes_removed", "[s]\r\nk='q'\r\n", "s", "k", "d", "q"},
        ReadCase{"one_sided_quote_kept", "[s]\r\nk=\"q\r\n", "s", "k", "d", "\"q"},
        ReadCase{"lone_quote_kept", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
        ReadCase{"semicolon_after_value_is_value", "[s]\r\nk=v ; note\r\n", "s", "k", "d", "v ; note"},
        ReadCase{"only_first_duplicate_section", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=2\r\n", "s", "b", "d", "d"},
        ReadCase{"first_duplicate_key_wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "d", "1"},
        ReadCase{"bare_cr_line_ends", "[s]\rk=v\r", "s", "k", "d", "v"},
        ReadCase{"lf_line_ends", "[s]\nk=v\n", "s", "k", "d", "v"},
        ReadCase{"no_final_line_end", "[s]\r\nk=v", "s", "k", "d", "v"},
        ReadCase{"text_after_bracket_ignored", "[s] junk\r\nk=v\r\n", "s", "k", "d", "v"},
        ReadCase{"blanks_inside_brackets_trimmed", "[ s ]\r\nk=v\r\n", "s", "k", "d", "v"},
        ReadCase{"bracket_without_close_is_key", "[s]\r\n[x=1\r\n", "s", "[x", "d", "1"},
        ReadCase{"line_without_equals_gives_default", "[s]\r\n;comment\r\n", "s", ";comment", "d", "d"},
        ReadCase{"arguments_trimmed", "[s]\r\nk=v\r\n", " s ", " k ", "d", "v"},
        ReadCase{"empty_key_name_gives_default", "[s]\r\n=v\r\n", "s", "", "d", "d"},
        ReadCase{"default_trailing_spaces_dropped", "[s]\r\n", "s", "k", "one two  ", "one two"},
        ReadCase{"default_quotes_removed", "[s]\r\n", "s", "k", "\"x\"", "x"},
        ReadCase{"missing_section", "[s]\r\nk=v\r\n", "t", "k", "d", "d"},
        ReadCase{"ctrl_z_trimmed", "[s]\r\nk=v\x1a\r\n", "s", "k", "d", "v"},
        ReadCase{"nul_ends_the_value", "[s]\r\nk=ab\0cd\r\nn=1\r\n"s, "s", "k", "d", "ab"},
        ReadCase{"nul_ends_a_quoted_value", "[s]\r\nk=\"ab\"\0cd\r\n"s, "s", "k", "d", "ab"},
        ReadCase{"key_after_a_nul_value_found", "[s]\r\nk=ab\0cd\r\nn=1\r\n"s, "s", "n", "d", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileReadLimits, value_cut_to_buffer_returns_size_minus_one) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[s]\r\nk=val1\r\n");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 4, "C:\\TEST.INI"), 3u);
    EXPECT_STREQ(buffer, "val");
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 1, "C:\\TEST.INI"), 0u);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'z';
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 0, "C:\\TEST.INI"), 0u);
    EXPECT_EQ(buffer[0], 'z');
}

TEST(ProfileReadLimits, value_of_1023_characters_fits_1024_buffer_and_longer_is_cut) {
    TempPrefix prefix;
    std::string exact(1023, 'a');
    std::string longer(1500, 'b');
    prefix.write("C:\\TEST.INI", "[s]\r\nexact=" + exact + "\r\nlonger=" + longer + "\r\n");
    char buffer[1024];
    EXPECT_EQ(GetPrivateProfileStringA("s", "exact", "", buffer, sizeof buffer, "C:\\TEST.INI"), 1023u);
    EXPECT_EQ(std::string(buffer), exact);
    EXPECT_EQ(GetPrivateProfileStringA("s", "longer", "", buffer, sizeof buffer, "C:\\TEST.INI"), 1023u);
    EXPECT_EQ(std::string(buffer), longer.substr(0, 1023));
}

TEST(ProfileReadLimits, missing_file_gives_default) {
    TempPrefix prefix;
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "fallback", buffer, sizeof buffer, "C:\\NONE.INI"), 8u);
    EXPECT_STREQ(buffer, "fallback");
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(ProfileReadLimits, bare_file_name_is_found_in_windows_directory) {
    TempPrefix prefix;
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileStringA("mci", "avivideo", "", buffer, sizeof buffer, "system.ini"), 10u);
    EXPECT_STREQ(buffer, "mciavi.drv");
}

TEST(ProfileEnumeration, key_and_section_names_listed_with_double_nul) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[section1]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n[section2]\r\n");
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileStringA("section1", nullptr, "", buffer, sizeof buffer, "C:\\TEST.INI"), 18u);
    EXPECT_EQ(std::string(buffer, 19), std::string("name1\0name2\0name4\0\0", 19));
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "C:\\TEST.INI"), 18u);
    EXPECT_EQ(std::string(buffer, 19), std::string("section1\0section2\0\0", 19));
}

TEST(ProfileEnumeration, overflow_cuts_last_name_and_returns_size_minus_two) {
    TempPrefix prefix;
    prefix.write("C:\\TEST.INI", "[section1]\r\n[section2]\r\n");
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "C:\\TEST.INI"), 14u);
    EXPECT_EQ(std::string(buffer, 16), std::string("section1\0secti\0\0", 16));
}

} // namespace
