// Names on the Linux disk are UTF-8; the `A` functions see them in the ANSI code page, and a name
// with no ANSI spelling through its short name.
#include "TempPrefix.h"
#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string FoundName(std::string const& pattern) {
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return "<none>";
    FindClose(search);
    return data.cFileName;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

class AnsiFileNames : public ::testing::Test {
  protected:
    void SetUp() override { saved = fs::current_path(); }
    void TearDown() override { fs::current_path(saved); }
    TempPrefix prefix;
    fs::path saved;
};

TEST_F(AnsiFileNames, a_utf8_folder_is_seen_and_found_in_ansi_in_either_case) {
    fs::create_directory(prefix.drive_c() / "Caf\xC3\xA9");
    EXPECT_EQ(FoundName("C:\\Caf*"), "Caf\xE9");
    for (const char* path : {"C:\\Caf\xE9", "C:\\CAF\xC9", "c:\\caf\xE9\\"}) {
        EXPECT_EQ(GetFileAttributesA(path), DWORD(FILE_ATTRIBUTE_DIRECTORY)) << path;
    }
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\CAF\xC9"));
    EXPECT_EQ(CurrentDirectory(), "C:\\CAF\xC9"); // as typed, as Windows keeps it
    EXPECT_EQ(fs::current_path(), fs::canonical(prefix.drive_c() / "Caf\xC3\xA9"));
    EXPECT_EQ(host::dos_path_of(prefix.drive_c() / "Caf\xC3\xA9"), "C:\\Caf\xE9");
}

TEST_F(AnsiFileNames, names_made_through_the_a_functions_are_utf8_on_the_disk) {
    fs::create_directory(prefix.drive_c() / "Na\xC3\xAFve");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "\xFF\xFE", "C:\\NA\xCFVE\\\x80 \xE9.ini"));
    EXPECT_TRUE(fs::exists(prefix.drive_c() / "Na\xC3\xAFve" / "\xE2\x82\xAC \xC3\xA9.ini"));
    char value[16] = {};
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", value, sizeof value, "c:\\na\xEFve\\\x80 \xC9.INI"), 2u);
    EXPECT_STREQ(value, "\xFF\xFE");
}

TEST_F(AnsiFileNames, a_name_without_an_ansi_spelling_is_reached_through_its_short_name) {
    std::string const japanese = "\xE6\x97\xA5\xE6\x9C\xAC"; // 日本
    fs::create_directory(prefix.drive_c() / japanese);
    std::string const short_name = host::short_name_of(japanese);
    EXPECT_EQ(FoundName("C:\\" + short_name), short_name);
    EXPECT_EQ(GetFileAttributesA(("C:\\" + short_name).c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(SetCurrentDirectoryA(("C:\\" + short_name).c_str()));
    EXPECT_EQ(CurrentDirectory(), "C:\\" + short_name);
    // Nothing in a folder listing is given in UTF-8.
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA("C:\\*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        EXPECT_EQ(std::string(data.cFileName).find('\xE6'), std::string::npos) << data.cFileName;
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

TEST_F(AnsiFileNames, a_volume_label_is_handed_out_in_ansi) {
    prefix.write("C:\\.windows-label", "Caf\xC3\xA9 \xE6\x97\xA5\n");
    char label[64] = {};
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ(label, "Caf\xE9 ?");
}

} // namespace
