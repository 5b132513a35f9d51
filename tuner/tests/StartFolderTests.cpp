// The folder the tuner starts in: --windows-folder moves it into the prefix's Windows folder
// (the one MSDOS.SYS names, if it exists), and a missing Windows folder leaves it where it was.
#include "StartFolder.h"
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(StartFolderSwitch, is_asked_for_by_its_exact_name_anywhere_on_the_line) {
    struct Case {
        std::vector<std::string> arguments;
        bool asked;
    };
    const Case cases[] = {{{}, false},
                          {{"--windows-folder"}, true},
                          {{"-style", "fusion", "--windows-folder"}, true},
                          {{"--windows"}, false},
                          {{"--windows-folders"}, false},
                          {{"/w"}, false}};
    for (Case const& c : cases)
        EXPECT_EQ(StartFolder::AskedFor(c.arguments), c.asked) << ::testing::PrintToString(c.arguments);
}

class EnterWindowsFolder : public ::testing::Test {
  protected:
    TempPrefix prefix;
    std::filesystem::path saved = std::filesystem::current_path();

    void TearDown() override { std::filesystem::current_path(saved); }
};

TEST_F(EnterWindowsFolder, moves_into_the_windows_folder_of_a_new_prefix) {
    ASSERT_TRUE(StartFolder::EnterWindowsFolder());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(prefix.drive_c() / "WINDOWS"));
}

TEST_F(EnterWindowsFolder, moves_into_the_folder_msdos_sys_names) {
    std::filesystem::create_directories(prefix.drive_c() / "WIN95");
    SetFileAttributesA("C:\\MSDOS.SYS", 0);
    ASSERT_TRUE(WritePrivateProfileStringA("Paths", "WinDir", "C:\\WIN95", "C:\\MSDOS.SYS"));
    ASSERT_TRUE(StartFolder::EnterWindowsFolder());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(prefix.drive_c() / "WIN95"));
}

TEST_F(EnterWindowsFolder, stays_where_it_is_when_the_windows_folder_is_missing) {
    std::filesystem::remove_all(prefix.drive_c() / "WINDOWS");
    const std::filesystem::path before = std::filesystem::current_path();
    EXPECT_FALSE(StartFolder::EnterWindowsFolder());
    EXPECT_EQ(std::filesystem::current_path(), before);
}

} // namespace
