// The command line: which arguments set use_other_devices, which show the usage box, which name
// files, and that the usage box ends the program before any window exists.
#include "core/CommandLine.h"
#include "core/Player.h"
#include "core/Startup.h"

#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/HostPaths.h"
#include "host/user32_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct OptionsCase {
    std::vector<std::string> arguments;
    bool use_other_devices;
    bool show_usage;
    std::vector<std::string> files = {};
};

class CommandLine : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(CommandLine, reads_switches_by_their_first_two_characters_and_keeps_the_files_in_order) {
    const OptionsCase& c = GetParam();
    const player::CommandLineOptions options = player::read_command_line(c.arguments);
    EXPECT_EQ(options.use_other_devices, c.use_other_devices);
    EXPECT_EQ(options.show_usage, c.show_usage);
    EXPECT_EQ(options.files, c.files);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLine,
    ::testing::Values(OptionsCase{{}, false, false}, OptionsCase{{"/d"}, true, false},
                      OptionsCase{{"-d"}, true, false}, OptionsCase{{"/D"}, true, false},
                      OptionsCase{{"-D"}, true, false}, OptionsCase{{"/device"}, true, false},
                      OptionsCase{{"C:\\MOVIES\\CLIP.MPG"}, false, false, {"C:\\MOVIES\\CLIP.MPG"}},
                      OptionsCase{{"d"}, false, false, {"d"}}, OptionsCase{{"/"}, false, false},
                      OptionsCase{{"-"}, false, false}, OptionsCase{{""}, false, false},
                      OptionsCase{{"/x", "-q"}, false, false}, // unknown switches are ignored
                      OptionsCase{{"/?"}, false, true}, OptionsCase{{"-?"}, false, true},
                      OptionsCase{{"/d", "/?"}, true, true},
                      OptionsCase{{"/?", "/d", "CLIP.MPG"}, false, true}, // nothing after /? is looked at
                      OptionsCase{{"CLIP.MPG", "-D"}, true, false, {"CLIP.MPG"}},
                      // A Linux absolute path has a second '/'; a file of the root folder is
                      // named with two.
                      OptionsCase{{"/home/user/My Clip.mpg", "/d", "//CLIP.MPG"}, true, false,
                                  {"/home/user/My Clip.mpg", "//CLIP.MPG"}},
                      OptionsCase{{"b.mpg", "a.avi", "b.mpg"}, false, false, {"b.mpg", "a.avi", "b.mpg"}},
                      // After "--" every argument is a file, switches and "--" too.
                      OptionsCase{{"/d", "--", "/?", "-d", "--", "/x.mpg"}, true, false, {"/?", "-d", "--", "/x.mpg"}}));

class UsageBox : public ::testing::TestWithParam<std::string> {
  protected:
    TempPrefix prefix;
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scoped{responder};
};

TEST_P(UsageBox, shows_the_usage_and_exits_with_0_before_any_window) {
    player::state = player::PlayerState{};
    player::windows.main_window = nullptr;
    const std::vector<std::string> arguments{"/d", GetParam(), "/D"};

    EXPECT_EQ(player::player_entry(nullptr, arguments, SW_SHOWNORMAL), 0);

    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "Help Msg");
    EXPECT_EQ(responder.message_boxes[0].text,
              "Usage: REELP [option]\noption:\n\t/d\tAlso using other device\n\t/?\tThis help message");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONQUESTION);
    EXPECT_TRUE(player::state.use_other_devices);
    EXPECT_EQ(player::windows.main_window, nullptr);
    EXPECT_STREQ(player::state.status_text, "REELIX V1.64 1998");
}

INSTANTIATE_TEST_SUITE_P(SlashAndDash, UsageBox, ::testing::Values("/?", "-?"));

// File arguments become DOS paths of short names on the drive that holds them, in a fresh
// prefix (C: its drive_c, Z: the Linux root) with files inside and outside its drives.
class FileArguments : public ::testing::Test {
  protected:
    TempPrefix prefix;
    std::filesystem::path outside = prefix.root().parent_path() / "outside folder";

    void SetUp() override {
        prefix.write("C:\\CLIPS\\A.MPG", "");
        prefix.write("C:\\CLIPS\\B.DAT", "");
        std::filesystem::create_directories(outside);
        std::ofstream(outside / "My Clip.avi") << "";
    }

    void TearDown() override {
        std::error_code error;
        std::filesystem::current_path(m_saved_folder, error);
    }

    // Runs from `folder`, as a program started there.
    void start_in(std::filesystem::path const& folder) { std::filesystem::current_path(folder); }

    std::filesystem::path clips() const { return prefix.drive_c() / "CLIPS"; }

  private:
    std::filesystem::path m_saved_folder = std::filesystem::current_path();
};

TEST_F(FileArguments, linux_paths_take_the_drive_that_holds_them_and_names_without_spaces) {
    const std::vector<std::string> arguments{(clips() / "A.MPG").string(), (outside / "My Clip.avi").string()};
    const player::DosFiles files = player::dos_paths_of_files({arguments.begin(), arguments.begin() + 1});
    ASSERT_EQ(files.paths, std::vector<std::string>{"C:\\CLIPS\\A.MPG"});

    // Outside drive_c only Z: holds the file; alone it keeps that drive.
    const player::DosFiles outer = player::dos_paths_of_files({arguments.begin() + 1, arguments.end()});
    ASSERT_EQ(outer.paths.size(), 1u);
    EXPECT_TRUE(outer.paths[0].starts_with("Z:\\")) << outer.paths[0];
    EXPECT_EQ(outer.paths[0].find(' '), std::string::npos) << outer.paths[0];
    EXPECT_TRUE(outer.paths[0].ends_with(".AVI")) << outer.paths[0];
    EXPECT_EQ(host::host_path_of(outer.paths[0]), outside / "My Clip.avi");
    EXPECT_TRUE(outer.left_out.empty());
}

TEST_F(FileArguments, relative_dotted_and_dos_paths_name_the_same_file) {
    start_in(clips());
    const std::vector<std::string> arguments{"A.MPG", "../CLIPS/./B.DAT", "c:\\clips\\a.mpg",
                                             (prefix.root() / "dosdevices" / "c:" / "CLIPS" / "B.DAT").string()};
    const player::DosFiles files = player::dos_paths_of_files(arguments);
    EXPECT_EQ(files.paths, (std::vector<std::string>{"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT",
                                                     "C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT"}));
    EXPECT_TRUE(files.left_out.empty());
}

TEST_F(FileArguments, files_on_two_drives_are_all_reached_through_the_drive_of_the_root_folder) {
    const std::vector<std::string> arguments{(clips() / "A.MPG").string(), (outside / "My Clip.avi").string()};
    const player::DosFiles files = player::dos_paths_of_files(arguments);
    ASSERT_EQ(files.paths.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(files.paths[i].starts_with("Z:\\")) << files.paths[i];
        EXPECT_EQ(files.paths[i].find(' '), std::string::npos) << files.paths[i];
        EXPECT_EQ(host::host_path_of(files.paths[i]), std::filesystem::canonical(arguments[i]));
    }
}

TEST_F(FileArguments, without_a_drive_for_the_root_folder_only_the_first_files_drive_is_kept) {
    std::filesystem::remove(prefix.root() / "dosdevices" / "z:");
    host::reset_prefix();
    const std::vector<std::string> arguments{(clips() / "A.MPG").string(), (outside / "My Clip.avi").string(),
                                             (clips() / "B.DAT").string()};
    const player::DosFiles files = player::dos_paths_of_files(arguments);
    EXPECT_EQ(files.paths, (std::vector<std::string>{"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT"}));
    EXPECT_EQ(files.left_out, std::vector<std::string>{arguments[1]});
}

TEST_F(FileArguments, names_of_no_file_are_left_out_as_given) {
    const std::vector<std::string> arguments{"no such file.mpg", clips().string(), "Q:\\NODRIVE.MPG",
                                             (clips() / "A.MPG").string()};
    const player::DosFiles files = player::dos_paths_of_files(arguments);
    EXPECT_EQ(files.paths, std::vector<std::string>{"C:\\CLIPS\\A.MPG"});
    EXPECT_EQ(files.left_out, (std::vector<std::string>{arguments[0], arguments[1], arguments[2]}));
}

} // namespace
