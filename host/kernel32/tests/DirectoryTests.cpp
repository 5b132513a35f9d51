// The current directory, full paths and short paths: GetCurrentDirectoryA, SetCurrentDirectoryA,
// GetFullPathNameA, GetShortPathNameA, and relative DOS paths in the file functions.
#include "TempPrefix.h"
#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Puts the Linux working directory back when a test has moved it.
class WorkingDirectoryKept {
public:
    ~WorkingDirectoryKept() { fs::current_path(m_saved); }

private:
    fs::path m_saved = fs::current_path();
};

std::string current_directory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : "(failed)";
}

std::string full_path(const char* path, std::string* file_part = nullptr) {
    char buffer[MAX_PATH];
    char* part = buffer; // something GetFullPathNameA must overwrite
    DWORD length = GetFullPathNameA(path, sizeof buffer, buffer, &part);
    if (length == 0 || length >= sizeof buffer)
        return "(failed)";
    if (file_part)
        *file_part = part ? part : "(null)";
    return std::string(buffer, length);
}

struct DirectoryStep {
    const char* set;
    DWORD error;         // ERROR_SUCCESS: the call succeeds
    const char* current; // the current directory after the step
    const char* linux;   // the working directory after it, under drive_c
};

TEST(SetCurrentDirectory, steps_change_dos_and_linux_directories_or_leave_both) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    prefix.write("C:\\WINDOWS\\SYSTEM\\VMM32\\X.VXD", "x");
    const std::string too_long = "C:\\" + std::string(MAX_PATH - 4, 'L');
    const DirectoryStep steps[] = {
        {"C:\\WINDOWS", ERROR_SUCCESS, "C:\\WINDOWS", "WINDOWS"},
        {"SYSTEM", ERROR_SUCCESS, "C:\\WINDOWS\\SYSTEM", "WINDOWS/SYSTEM"},
        {"..", ERROR_SUCCESS, "C:\\WINDOWS", "WINDOWS"},
        {"..\\..\\..", ERROR_SUCCESS, "C:\\", ""},
        {"\\windows\\system\\", ERROR_SUCCESS, "C:\\windows\\system", "WINDOWS/SYSTEM"},
        {"c:vmm32", ERROR_SUCCESS, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"C:\\NOFOLDER", ERROR_FILE_NOT_FOUND, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"C:\\NOFOLDER\\SUB", ERROR_PATH_NOT_FOUND, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"X.VXD", ERROR_DIRECTORY, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"Q:\\", ERROR_PATH_NOT_FOUND, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"", ERROR_INVALID_NAME, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {too_long.c_str(), ERROR_FILENAME_EXCED_RANGE, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
        {"C:", ERROR_SUCCESS, "C:\\windows\\system\\vmm32", "WINDOWS/SYSTEM/VMM32"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.set);
        SetLastError(ERROR_SUCCESS);
        BOOL done = SetCurrentDirectoryA(step.set);
        EXPECT_EQ(done, step.error == ERROR_SUCCESS ? TRUE : FALSE);
        if (step.error != ERROR_SUCCESS) {
            EXPECT_EQ(GetLastError(), step.error);
        }
        EXPECT_EQ(current_directory(), step.current);
        EXPECT_EQ(fs::current_path(), fs::canonical(prefix.drive_c() / step.linux));
    }
}

TEST(GetCurrentDirectory, follows_a_working_directory_changed_behind_its_back) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    fs::current_path(prefix.drive_c() / "WINDOWS" / "SYSTEM");
    EXPECT_EQ(current_directory(), "C:\\WINDOWS\\SYSTEM");
    fs::current_path("/");
    EXPECT_EQ(current_directory(), "Z:\\");
}

TEST(GetCurrentDirectory, working_directory_no_drive_holds_is_never_used) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    fs::remove(prefix.root() / "dosdevices" / "z:");
    fs::current_path(prefix.root());
    EXPECT_EQ(current_directory(), "C:\\");
    EXPECT_EQ(full_path("T1.INI"), "C:\\T1.INI");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    fs::current_path(prefix.root());
    EXPECT_EQ(current_directory(), "C:\\WINDOWS");
}

TEST(GetCurrentDirectory, buffer_too_small_gives_size_needed_and_copies_nothing) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS")); // 10 characters
    struct Case {
        DWORD size;
        DWORD result;
        const char* buffer;
    };
    const Case cases[] = {{0, 11, "untouched"}, {10, 11, "untouched"}, {11, 10, "C:\\WINDOWS"}, {64, 10, "C:\\WINDOWS"}};
    for (const auto& c : cases) {
        char buffer[64] = "untouched";
        EXPECT_EQ(GetCurrentDirectoryA(c.size, buffer), c.result) << c.size;
        EXPECT_STREQ(buffer, c.buffer) << c.size;
    }
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), 11u);
}

struct FullPathCase {
    const char* path;
    const char* full; // "(failed)" when refused
    const char* file_part;
};

class FullPath : public ::testing::TestWithParam<FullPathCase> {};

TEST_P(FullPath, from_c_windows) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    std::string file_part = "(unset)";
    EXPECT_EQ(full_path(GetParam().path, &file_part), GetParam().full);
    if (std::string(GetParam().full) != "(failed)") {
        EXPECT_EQ(file_part, GetParam().file_part);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FullPath,
    ::testing::Values(FullPathCase{"..\\T1.INI", "C:\\T1.INI", "T1.INI"},
                      FullPathCase{"..\\..\\..\\T1.INI", "C:\\T1.INI", "T1.INI"},
                      FullPathCase{"SYSTEM\\..\\WIN.INI", "C:\\WINDOWS\\WIN.INI", "WIN.INI"},
                      FullPathCase{".\\SYSTEM\\.\\X", "C:\\WINDOWS\\SYSTEM\\X", "X"},
                      FullPathCase{"\\MSDOS.SYS", "C:\\MSDOS.SYS", "MSDOS.SYS"},
                      FullPathCase{"/MSDOS.SYS", "C:\\MSDOS.SYS", "MSDOS.SYS"},
                      FullPathCase{"C:", "C:\\WINDOWS", "WINDOWS"},
                      FullPathCase{"c:SYSTEM", "C:\\WINDOWS\\SYSTEM", "SYSTEM"},
                      FullPathCase{"d:x.ini", "D:\\x.ini", "x.ini"},
                      FullPathCase{"D:", "D:\\", "(null)"},
                      FullPathCase{"z:/usr//lib/", "Z:\\usr\\lib\\", "(null)"},
                      FullPathCase{"C:\\A\\B.\\C. .", "C:\\A\\B\\C", "C"},
                      FullPathCase{"c:\\..", "C:\\", "(null)"},
                      FullPathCase{"\\\\server\\share\\x", "(failed)", ""},
                      FullPathCase{"", "(failed)", ""}),
    [](const auto& info) { return "case_" + std::to_string(info.index); });

// The file functions on relative paths, with the working directory set the Linux way.
TEST(RelativePaths, dot_dot_from_the_windows_folder_reaches_the_drive_root_not_the_working_folder) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    fs::current_path(prefix.drive_c() / "WINDOWS");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "..\\T1.INI"));
    EXPECT_EQ(prefix.read("C:\\T1.INI"), "[s]\r\nk=v\r\n");
    EXPECT_FALSE(fs::exists(prefix.drive_c() / "WINDOWS" / "T1.INI"));
    EXPECT_EQ(host::host_path_of("..\\..\\MSDOS.SYS"), prefix.drive_c() / "MSDOS.SYS");
    EXPECT_NE(GetFileAttributesA("..\\MSDOS.SYS"), INVALID_FILE_ATTRIBUTES);
}

TEST(RelativePaths, never_resolve_against_a_folder_no_drive_holds) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    fs::remove(prefix.root() / "dosdevices" / "z:");
    fs::current_path(prefix.root());
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", ".\\T1.INI"));
    EXPECT_TRUE(fs::exists(prefix.drive_c() / "T1.INI"));
    EXPECT_FALSE(fs::exists(prefix.root() / "T1.INI"));
    EXPECT_EQ(host::host_path_of("dosdevices\\..\\MSDOS.SYS"), prefix.drive_c() / "MSDOS.SYS");
}

TEST(GetShortPathName, gives_each_long_component_its_short_name) {
    TempPrefix prefix;
    WorkingDirectoryKept kept;
    prefix.write("C:\\My Movies\\longfilename.text", "x");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    const std::string movies = host::short_name_of("My Movies");
    const std::string file = host::short_name_of("longfilename.text");
    struct Case {
        std::string path;
        std::string short_path; // empty: fails with the error
        DWORD error;
    };
    const std::vector<Case> cases = {
        {"C:\\My Movies\\longfilename.text", "C:\\" + movies + "\\" + file, 0},
        {"c:/my movies/LONGFILENAME.TEXT", "c:\\" + movies + "\\" + file, 0},
        {"c:\\windows\\system.ini", "c:\\windows\\system.ini", 0},
        {"C:\\" + movies + "\\" + file, "C:\\" + movies + "\\" + file, 0},
        {"..\\My Movies\\", "..\\" + movies + "\\", 0},
        {"C:\\", "C:\\", 0},
        {"C:\\NONE.TXT", "", ERROR_FILE_NOT_FOUND},
        {"C:\\NONE\\X.TXT", "", ERROR_PATH_NOT_FOUND},
        {"Q:\\X", "", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        char buffer[MAX_PATH] = {};
        DWORD length = GetShortPathNameA(c.path.c_str(), buffer, sizeof buffer);
        if (c.short_path.empty()) {
            EXPECT_EQ(length, 0u) << c.path;
            EXPECT_EQ(GetLastError(), c.error) << c.path;
        } else {
            EXPECT_EQ(std::string(buffer, length), c.short_path) << c.path;
        }
    }
    char small[4] = "abc";
    EXPECT_EQ(GetShortPathNameA("C:\\My Movies", small, sizeof small), movies.size() + 4);
    EXPECT_STREQ(small, "abc");
}

} // namespace
