// Files by handle (_lopen family), directory searches (FindFirstFileA) and renaming and removing
// (MoveFileExA, DeleteFileA) on DOS paths of a temporary prefix.
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string read_all(HFILE file) {
    std::string bytes;
    char block[7]; // odd on purpose: reads end in the middle of the block
    for (UINT got; (got = _lread(file, block, sizeof block)) > 0 && got != static_cast<UINT>(HFILE_ERROR);)
        bytes.append(block, got);
    return bytes;
}

std::set<std::string> search(char const* pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA(pattern, &found);
    if (handle == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileA(handle, &found));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(handle));
    return names;
}

TEST(FileHandles, create_write_seek_and_read_back_through_a_dos_path) {
    TempPrefix prefix;
    HFILE file = _lcreat("C:\\WINDOWS\\NEW.BIN", 0);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_EQ(_lwrite(file, "0123456789", 10), 10u);
    EXPECT_EQ(_llseek(file, 4, FILE_BEGIN), 4);
    char four[4];
    EXPECT_EQ(_lread(file, four, 4), 4u);
    EXPECT_EQ(std::string(four, 4), "4567");
    EXPECT_EQ(_llseek(file, -2, FILE_END), 8);
    EXPECT_EQ(_llseek(file, 0, FILE_CURRENT), 8);
    EXPECT_EQ(_lclose(file), 0);
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\NEW.BIN"), "0123456789");

    file = _lopen("c:\\windows\\new.bin", OF_READ);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_EQ(read_all(file), "0123456789");
    // Reading past the end gives fewer bytes, then none.
    EXPECT_EQ(_llseek(file, 7, FILE_BEGIN), 7);
    char rest[8];
    EXPECT_EQ(_lread(file, rest, 8), 3u);
    EXPECT_EQ(_lread(file, rest, 8), 0u);
    EXPECT_EQ(_lclose(file), 0);
}

TEST(FileHandles, create_empties_an_existing_file_and_write_of_nothing_cuts_it) {
    TempPrefix prefix;
    prefix.write("C:\\OLD.TXT", "old content");
    HFILE file = _lcreat("C:\\OLD.TXT", 0);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_EQ(_lwrite(file, "abcdef", 6), 6u);
    EXPECT_EQ(_llseek(file, 2, FILE_BEGIN), 2);
    EXPECT_EQ(_lwrite(file, "", 0), 0u);
    EXPECT_EQ(_lclose(file), 0);
    EXPECT_EQ(prefix.read("C:\\OLD.TXT"), "ab");
}

TEST(FileHandles, refuses_what_it_cannot_open_and_handles_it_never_gave) {
    TempPrefix prefix;
    fs::create_directories(prefix.host("C:\\FOLDER"));
    struct Case {
        char const* path;
        DWORD error;
    };
    for (Case const& c :
         {Case{"C:\\MISSING.TXT", ERROR_FILE_NOT_FOUND}, Case{"C:\\NO\\SUCH.TXT", ERROR_PATH_NOT_FOUND},
          Case{"C:\\FOLDER", ERROR_ACCESS_DENIED}, Case{"Q:\\NO_DRIVE.TXT", ERROR_PATH_NOT_FOUND},
          Case{"", ERROR_PATH_NOT_FOUND}}) {
        SetLastError(0);
        EXPECT_EQ(_lopen(c.path, OF_READ), HFILE_ERROR) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    char byte;
    const HFILE forged = STDOUT_FILENO;
    EXPECT_EQ(_lread(forged, &byte, 1), static_cast<UINT>(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(_lwrite(forged, "x", 1), static_cast<UINT>(HFILE_ERROR));
    EXPECT_EQ(_llseek(forged, 0, FILE_BEGIN), HFILE_ERROR);
    EXPECT_EQ(_lclose(forged), HFILE_ERROR);
    // A closed handle is refused too.
    HFILE file = _lcreat("C:\\ONCE.TXT", 0);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_EQ(_lclose(file), 0);
    EXPECT_EQ(_lclose(file), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(FileSearch, finds_one_exact_name_without_regard_to_case_with_its_size) {
    TempPrefix prefix;
    prefix.write("C:\\WINDOWS\\SYSTEM\\CdDriver.Drv", std::string(5000, 'x'));
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA("C:\\WINDOWS\\system\\cddriver.drv", &found);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "CdDriver.Drv");
    EXPECT_EQ(found.nFileSizeLow, 5000u);
    EXPECT_EQ(found.nFileSizeHigh, 0u);
    EXPECT_FALSE(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(FindNextFileA(handle, &found));
    EXPECT_TRUE(FindClose(handle));
    EXPECT_FALSE(FindClose(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    SetLastError(0);
    EXPECT_EQ(FindFirstFileA("C:\\WINDOWS\\SYSTEM\\cdvideo.dll", &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileA("C:\\NO_FOLDER\\cdvideo.dll", &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(FileSearch, wildcards_match_long_and_short_names_and_list_the_dot_entries) {
    TempPrefix prefix;
    for (char const* name :
         {"C:\\DATA\\one.dll", "C:\\DATA\\TWO.DLL", "C:\\DATA\\three.ini", "C:\\DATA\\a long name.dll"})
        prefix.write(name, "x");
    EXPECT_EQ(search("C:\\DATA\\*.dll"), (std::set<std::string>{"one.dll", "TWO.DLL", "a long name.dll"}));
    EXPECT_EQ(search("C:\\DATA\\t??.*"), (std::set<std::string>{"TWO.DLL"}));
    EXPECT_EQ(search("C:\\DATA\\*"),
              (std::set<std::string>{".", "..", "one.dll", "TWO.DLL", "three.ini", "a long name.dll"}));
    // The long name is also found by its 8.3 short name.
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA("C:\\DATA\\a long name.dll", &found);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    const std::string short_name = found.cAlternateFileName;
    FindClose(handle);
    ASSERT_FALSE(short_name.empty());
    EXPECT_EQ(search(("C:\\DATA\\" + short_name).c_str()), (std::set<std::string>{"a long name.dll"}));
}

TEST(FileSearch, a_relative_name_is_searched_in_the_working_folder) {
    TempPrefix prefix;
    prefix.write("C:\\WORK\\cdvideo.ini", "[TovinMPEG]\r\n");
    const fs::path previous = fs::current_path();
    fs::current_path(prefix.host("C:\\WORK"));
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA("CDVIDEO.INI", &found);
    fs::current_path(previous);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(found.nFileSizeLow, 13u);
    FindClose(handle);
}

TEST(FileNames, move_keeps_an_existing_target_unless_asked_to_replace_it) {
    TempPrefix prefix;
    prefix.write("C:\\A.TMP", "new");
    prefix.write("C:\\B.DLL", "old");
    SetLastError(0);
    EXPECT_FALSE(MoveFileA("C:\\A.TMP", "C:\\b.dll"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(prefix.read("C:\\A.TMP"), "new");
    EXPECT_EQ(prefix.read("C:\\B.DLL"), "old");

    EXPECT_TRUE(MoveFileExA("C:\\A.TMP", "C:\\b.dll", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(prefix.read("C:\\B.DLL"), "new");
    EXPECT_FALSE(fs::exists(prefix.host("C:\\A.TMP")));

    EXPECT_TRUE(MoveFileA("C:\\B.DLL", "C:\\WINDOWS\\C.DLL"));
    EXPECT_EQ(prefix.read("C:\\WINDOWS\\C.DLL"), "new");
    EXPECT_FALSE(MoveFileA("C:\\MISSING", "C:\\D.DLL"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(FileNames, a_dangling_link_counts_as_an_existing_name) {
    TempPrefix prefix;
    prefix.write("C:\\A.TMP", "new");
    fs::create_symlink("/nonexistent/target", prefix.host("C:\\LINK.DLL"));
    EXPECT_FALSE(MoveFileA("C:\\A.TMP", "C:\\LINK.DLL"));
    EXPECT_TRUE(fs::is_symlink(prefix.host("C:\\LINK.DLL")));
}

TEST(FileNames, delete_removes_a_link_itself_and_refuses_folders_and_read_only_files) {
    TempPrefix prefix;
    prefix.write("C:\\TARGET.TXT", "kept");
    fs::create_symlink(prefix.host("C:\\TARGET.TXT"), prefix.host("C:\\LINK.TXT"));
    EXPECT_TRUE(DeleteFileA("C:\\LINK.TXT"));
    EXPECT_FALSE(fs::exists(prefix.host("C:\\LINK.TXT")));
    EXPECT_EQ(prefix.read("C:\\TARGET.TXT"), "kept");

    EXPECT_FALSE(DeleteFileA("C:\\WINDOWS"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributesA("C:\\TARGET.TXT", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileA("C:\\TARGET.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA("C:\\GONE.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

} // namespace
