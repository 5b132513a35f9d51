// WinExec: Windows command lines split by Windows rules and mapped onto desktop applications.
#include "TempPrefix.h"
#include "host/kernel32.h"
#include "host/launcher.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class CommandLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, follows_windows_rules) { EXPECT_EQ(host::split_command_line(GetParam().line), GetParam().args); }

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineSplit,
    ::testing::Values(SplitCase{"notepad.exe c:\\config.sys", {"notepad.exe", "c:\\config.sys"}},
                      SplitCase{"  a   b\tc ", {"a", "b", "c"}},
                      SplitCase{"\"C:\\Program Files\\x.exe\" \"a b\" c", {"C:\\Program Files\\x.exe", "a b", "c"}},
                      SplitCase{"x a\\\\\\\"b", {"x", "a\\\"b"}},
                      SplitCase{"x \"a\\\\\" b", {"x", "a\\", "b"}},
                      SplitCase{"x a\\b\\\\c", {"x", "a\\b\\\\c"}},
                      SplitCase{"x \"a \"\"q\"\" b\"", {"x", "a \"q\" b"}},
                      SplitCase{"x \"\"", {"x", ""}},
                      SplitCase{"", {}}),
    [](const auto& info) { return "line_" + std::to_string(info.index); });

class RecordingLauncher : public host::Launcher {
public:
    RecordingLauncher() { host::set_launcher(this); }
    ~RecordingLauncher() override { host::set_launcher(nullptr); }
    bool launch(const std::vector<std::string>& argv) override {
        launched.push_back(argv);
        return true;
    }
    std::vector<std::vector<std::string>> launched;
};

TEST(WinExec, notepad_opens_the_file_with_the_desktop_text_editor) {
    TempPrefix prefix;
    RecordingLauncher launcher;
    EXPECT_GT(WinExec("notepad.exe c:\\config.sys", 1), 31u);
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0], (std::vector<std::string>{"xdg-open", prefix.host("C:\\CONFIG.SYS").string()}));
}

TEST(WinExec, shell_metacharacters_and_quotes_reach_the_editor_as_one_literal_path) {
    TempPrefix prefix;
    RecordingLauncher launcher;
    WinExec("notepad.exe C:\\WINDOWS; rm -rf ~ $(id) `x` | y \"q\"\\system.ini", 1);
    ASSERT_EQ(launcher.launched.size(), 1u);
    ASSERT_EQ(launcher.launched[0].size(), 2u);
    EXPECT_EQ(launcher.launched[0][1], (prefix.drive_c() / "WINDOWS; rm -rf ~ $(id) `x` | y q" / "system.ini").string());
}

TEST(WinExec, sysedit_opens_the_four_system_files) {
    TempPrefix prefix;
    RecordingLauncher launcher;
    EXPECT_GT(WinExec("sysedit.exe", 1), 31u);
    std::vector<std::string> files;
    for (const auto& argv : launcher.launched)
        files.push_back(argv.at(1));
    EXPECT_EQ(files, (std::vector<std::string>{prefix.host("C:\\AUTOEXEC.BAT").string(), prefix.host("C:\\CONFIG.SYS").string(),
                                               prefix.host("C:\\WINDOWS\\WIN.INI").string(),
                                               prefix.host("C:\\WINDOWS\\SYSTEM.INI").string()}));
}

TEST(WinExec, unknown_program_or_missing_drive_starts_nothing) {
    TempPrefix prefix;
    RecordingLauncher launcher;
    EXPECT_LE(WinExec("format.com c:", 1), 31u);
    EXPECT_LE(WinExec("notepad.exe q:\\x.txt", 1), 31u);
    EXPECT_TRUE(launcher.launched.empty());
}

TEST(VolumeInformation, label_and_serial_from_drive_root_files) {
    TempPrefix prefix;
    prefix.write("C:\\.windows-label", "WIN95  \r\n");
    prefix.write("C:\\.windows-serial", "1a2b3c4d\n");
    char label[64], file_system[16];
    DWORD serial = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, &serial, nullptr, nullptr, file_system, sizeof file_system));
    EXPECT_STREQ(label, "WIN95");
    EXPECT_EQ(serial, 0x1a2b3c4du);
    EXPECT_STREQ(file_system, "NTFS");
    EXPECT_FALSE(GetVolumeInformationA("Q:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
}

TEST(VolumeInformation, raw_disc_image_label_from_iso_descriptor) {
    TempPrefix prefix;
    // A two-sector-short image: 16 empty sectors, then the primary volume descriptor.
    std::string image(17 * 2048, '\0');
    std::string pvd(2048, '\0');
    pvd[0] = 1;
    pvd.replace(1, 5, "CD001");
    std::string name = "VIDEOCD";
    pvd.replace(40, 32, name + std::string(32 - name.size(), ' '));
    image.replace(16 * 2048, 2048, pvd);
    prefix.write("Z:" + (prefix.root() / "disc.iso").string(), image);
    std::filesystem::create_symlink("../disc.iso", prefix.root() / "dosdevices" / "e::");
    char label[64], file_system[16];
    ASSERT_TRUE(GetVolumeInformationA("E:\\", label, sizeof label, nullptr, nullptr, nullptr, file_system, sizeof file_system));
    EXPECT_STREQ(label, "VIDEOCD");
    EXPECT_STREQ(file_system, "CDFS");
}

} // namespace
