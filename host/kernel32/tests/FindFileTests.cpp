// FindFirstFileA, FindNextFileA and FindClose on a folder of known names.
#include "TempPrefix.h"
#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// C:\FIND with files of known names and a folder.
void lay_out_find_folder(const TempPrefix& prefix) {
    for (const char* name : {"readme", "A.TXT", "b.txt", "index.html", "Long File Name.text", "a.b.ini", "AB", "ABC",
                             "ABCD", ".dot"})
        prefix.write(std::string("C:\\FIND\\") + name, "12345");
    fs::create_directory(prefix.drive_c() / "FIND" / "SUB");
}

// Every name a search yields, in order; or the error when it yields none.
std::vector<std::string> search(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return {"error " + std::to_string(GetLastError())};
    std::vector<std::string> names;
    do
        names.emplace_back(data.cFileName);
    while (FindNextFileA(handle, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(handle));
    return names;
}

using Names = std::vector<std::string>;

TEST(FindFirstFile, patterns_yield_the_names_windows_yields) {
    TempPrefix prefix;
    lay_out_find_folder(prefix);
    const std::string dot = host::short_name_of(".dot"); // a short name without an extension
    struct Case {
        std::string pattern;
        Names names;
    };
    const std::vector<Case> cases = {
        {"C:\\FIND\\*",
         {".", "..", ".dot", "a.b.ini", "A.TXT", "AB", "ABC", "ABCD", "b.txt", "index.html", "Long File Name.text",
          "readme", "SUB"}},
        {"c:/find/*.*",
         {".", "..", ".dot", "a.b.ini", "A.TXT", "AB", "ABC", "ABCD", "b.txt", "index.html", "Long File Name.text",
          "readme", "SUB"}},
        // ".dot" has no extension in its short name.
        {"C:\\FIND\\*.", {".", "..", ".dot", "AB", "ABC", "ABCD", "readme", "SUB"}},
        {"C:\\FIND\\*.TXT", {"A.TXT", "b.txt"}},
        {"C:\\FIND\\a?", {"AB"}},
        {"C:\\FIND\\AB?", {"AB", "ABC"}},
        {"C:\\FIND\\a.*", {"a.b.ini", "A.TXT"}},
        // The 8.3 name "INDE~???.HTM" matches too.
        {"C:\\FIND\\*.htm", {"index.html"}},
        {"C:\\FIND\\" + host::short_name_of("Long File Name.text"), {"Long File Name.text"}},
        {"C:\\FIND\\README.", {"readme"}},
        {"C:\\FIND\\sub", {"SUB"}},
        {"C:\\FIND\\SUB\\*", {".", ".."}},
        // A drive's root has no "." and "..".
        {"C:\\*.SYS", {"CONFIG.SYS", "MSDOS.SYS"}},
        {"C:\\FIND\\nothing*", {"error 2"}},
        {"C:\\FIND\\", {"error 2"}},
        {"C:\\NOFOLDER\\*", {"error 3"}},
        {"C:\\MSDOS.SYS\\*", {"error 3"}},
        {"Q:\\*", {"error 3"}},
        {"", {"error 3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(search(c.pattern), c.names) << c.pattern;
}

TEST(FindFirstFile, relative_patterns_start_in_the_current_directory) {
    TempPrefix prefix;
    lay_out_find_folder(prefix);
    fs::path saved = fs::current_path();
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\FIND\\SUB"));
    EXPECT_EQ(search("..\\*.txt"), (Names{"A.TXT", "b.txt"}));
    EXPECT_EQ(search("*"), (Names{".", ".."}));
    EXPECT_EQ(search("C:..\\readme"), (Names{"readme"}));
    EXPECT_EQ(search("\\FIND\\ab"), (Names{"AB"}));
    fs::current_path(saved);
}

TEST(FindFirstFile, entry_holds_attributes_sizes_times_and_short_name) {
    TempPrefix prefix;
    lay_out_find_folder(prefix);
    fs::path big = prefix.drive_c() / "FIND" / "Big Sparse File.bin";
    int fd = open(big.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, (off_t{5} << 30) + 7), 0); // 5 GiB + 7 bytes, none stored
    close(fd);
    const struct timespec times[2] = {{946684800, 0}, {946684800, 500}}; // 2000-01-01 00:00 UTC
    ASSERT_EQ(utimensat(AT_FDCWD, big.c_str(), times, 0), 0);
    ASSERT_TRUE(SetFileAttributesA("C:\\FIND\\b.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));

    struct Case {
        const char* path;
        DWORD attributes;
        DWORD size_high;
        DWORD size_low;
        std::string alternate;
    };
    const Case cases[] = {
        {"C:\\FIND\\A.TXT", FILE_ATTRIBUTE_NORMAL, 0, 5, ""},
        {"C:\\FIND\\b.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, 0, 5, ""},
        {"C:\\FIND\\.dot", FILE_ATTRIBUTE_HIDDEN, 0, 5, host::short_name_of(".dot")},
        {"C:\\FIND\\SUB", FILE_ATTRIBUTE_DIRECTORY, 0, 0, ""},
        {"C:\\FIND\\Big*", FILE_ATTRIBUTE_NORMAL, 1, (1u << 30) + 7, host::short_name_of("Big Sparse File.bin")},
    };
    for (const auto& c : cases) {
        WIN32_FIND_DATAA data;
        HANDLE handle = FindFirstFileA(c.path, &data);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << c.path;
        EXPECT_EQ(data.dwFileAttributes, c.attributes) << c.path;
        EXPECT_EQ(data.nFileSizeHigh, c.size_high) << c.path;
        EXPECT_EQ(data.nFileSizeLow, c.size_low) << c.path;
        EXPECT_EQ(data.cAlternateFileName, c.alternate) << c.path;
        FindClose(handle);
    }

    WIN32_FIND_DATAA data;
    HANDLE handle = FindFirstFileA("C:\\FIND\\BIG*", &data);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    // (946684800 s + 11644473600 s from 1601 to 1970) in 100 ns steps, and 500 ns.
    const unsigned long long write_time = 125911584000000005ull;
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, static_cast<DWORD>(write_time & 0xFFFFFFFFu));
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, static_cast<DWORD>(write_time >> 32));
    EXPECT_EQ(data.ftLastAccessTime.dwHighDateTime, static_cast<DWORD>(125911584000000000ull >> 32));
    FindClose(handle);
}

TEST(FindNextFile, handles_that_are_not_open_searches_are_refused) {
    TempPrefix prefix;
    WIN32_FIND_DATAA data;
    HANDLE handle = FindFirstFileA("C:\\MSDOS.SYS", &data);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileA(handle, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(handle));
    EXPECT_FALSE(FindClose(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    int not_a_search = 0;
    EXPECT_FALSE(FindNextFileA(&not_a_search, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

} // namespace
