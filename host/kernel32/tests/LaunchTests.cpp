// WinExec: Windows command lines split by Windows rules and mapped onto desktop applications.
#include "TempPrefix.h"
#include "host/kernel32.h"
#include "host/Launcher.h"
#include "prefix/TextEditor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class CommandLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, follows_windows_rules) { EXPECT_EQ(host::split_command_line(GetParam().line), GetParam().args); }

struct ExecCase {
    const char* exec;
    std::vector<std::string> args; // with the file "F"
};

class DesktopExecLine : public ::testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecLine, expands_field_codes_and_quotes) {
    auto args = host::expand_exec_line(GetParam().exec, "F");
    if (GetParam().args.empty())
        EXPECT_FALSE(args);
    else
        EXPECT_EQ(args, GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(Lines, DesktopExecLine,
                         ::testing::Values(ExecCase{"gedit %U", {"gedit", "F"}},
                                           ExecCase{"kate -b %u", {"kate", "-b", "F"}},
                                           ExecCase{"ed", {"ed", "F"}},
                                           ExecCase{"\"a b\" \"q\\\"x\" %f", {"a b", "q\"x", "F"}},
                                           ExecCase{"ed 100%% %i %c %F", {"ed", "100%", "F"}},
                                           ExecCase{"\"unterminated %f", {}}),
                         [](const auto& info) { return "exec_" + std::to_string(info.index); });

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

// Records launches instead of starting programs, in a desktop whose XDG folders are empty
// unless a test fills them.
class RecordingLauncher : public host::Launcher {
public:
    RecordingLauncher() : desktop(fs::temp_directory_path() / ("xdg-" + std::to_string(::getpid()))) {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
            fs::create_directories(desktop / name);
            setenv(name, (desktop / name).c_str(), 1);
        }
        host::set_launcher(this);
    }
    ~RecordingLauncher() override {
        host::set_launcher(nullptr);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            unsetenv(name);
        fs::remove_all(desktop);
    }
    void write(const fs::path& relative, const std::string& text) {
        fs::create_directories((desktop / relative).parent_path());
        std::ofstream(desktop / relative) << text;
    }
    fs::path desktop;
    bool launch(const std::vector<std::string>& argv) override {
        launched.push_back(argv);
        return true;
    }
    std::vector<std::vector<std::string>> launched;
};

TEST(WinExec, notepad_opens_the_file_with_the_default_application_for_text) {
    TempPrefix prefix;
    RecordingLauncher launcher;
    launcher.write("XDG_CONFIG_HOME/mimeapps.list", "[Default Applications]\ntext/plain=missing.desktop;pad.desktop;\n");
    launcher.write("XDG_DATA_DIRS/applications/pad.desktop",
                   "[Desktop Entry]\nType=Application\nExec=\"/opt/my pad\" --new %i %F\n");
    EXPECT_GT(WinExec("notepad.exe c:\\config.sys", 1), 31u);
    ASSERT_EQ(launcher.launched.size(), 1u);
    EXPECT_EQ(launcher.launched[0],
              (std::vector<std::string>{"/opt/my pad", "--new", prefix.host("C:\\CONFIG.SYS").string()}));
}

TEST(WinExec, notepad_falls_back_to_xdg_open_without_a_default_application) {
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
