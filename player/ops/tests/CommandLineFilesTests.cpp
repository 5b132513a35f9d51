// Files named on the command line: they become the play list as the open dialog's choice would,
// the first one plays, DELETE walks on; a cue sheet first plays as a VideoCD; names that reach no
// file are reported together in one box while the rest plays.
#include "DispatchFixture.h"

#include "ops/CommandLineFiles.h"

#include "host/HostPaths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace player_test;

class CommandLineFiles : public DispatchFixture {
  protected:
    std::string open_command_for(std::string const& path, char const* type = "MPEGMovie") const {
        return "open " + path + " type " + type + " alias xyzmpeg parent " + main_window_number() +
               " style popup wait";
    }

    // The Linux path of a file made in the prefix.
    std::string linux_file(char const* dos_path) {
        prefix.write(dos_path, "");
        return prefix.host(dos_path).string();
    }

    void open(std::vector<std::string> const& arguments) { player::open_command_line_files(arguments); }

    std::vector<std::string> opens() const {
        std::vector<std::string> found;
        for (std::string const& line : commands_sent())
            if (line.rfind("open ", 0) == 0)
                found.push_back(line);
        return found;
    }
};

TEST_F(CommandLineFiles, become_the_play_list_and_the_first_plays) {
    const std::vector<std::string> files{linux_file("C:\\CLIPS\\A.MPG"), linux_file("C:\\CLIPS\\SUB\\B.MPG")};
    open(files);

    EXPECT_STREQ(player::state.selected_files, "C:\\CLIPS A.MPG SUB\\B.MPG");
    EXPECT_STREQ(player::state.device_type, "MPEGMovie");
    EXPECT_TRUE(player::state.file_mode);
    ASSERT_TRUE(player::state.media_open);
    EXPECT_EQ(opens(), std::vector<std::string>{open_command_for("C:\\CLIPS\\A.MPG")});
    EXPECT_TRUE(was_sent("play xyzmpeg repeat"));
    EXPECT_EQ(std::string(player::state.status_text).substr(15), " 01/02");
    EXPECT_TRUE(responder.message_boxes.empty());

    forget_commands();
    command(523); // DELETE
    EXPECT_EQ(opens(), std::vector<std::string>{open_command_for("C:\\CLIPS\\SUB\\B.MPG")});
    EXPECT_EQ(std::string(player::state.status_text).substr(15), " 02/02");
}

TEST_F(CommandLineFiles, a_cue_sheet_first_plays_as_a_video_cd_and_the_rest_is_reported) {
    const std::vector<std::string> files{linux_file("C:\\DISCS\\My Disc.cue"), linux_file("C:\\CLIPS\\A.MPG")};
    open(files);

    const std::string cue = "C:\\DISCS\\" + host::short_name_of("My Disc.cue");
    ASSERT_EQ(opens(), std::vector<std::string>{open_command_for(cue, "VCDVideo")});
    EXPECT_TRUE(was_sent("status xyzmpeg number of tracks wait"));
    EXPECT_TRUE(player::state.media_open);
    EXPECT_FALSE(player::state.file_mode);
    EXPECT_STREQ(player::state.device_type, "VCDVideo");
    EXPECT_STREQ(player::state.status_text, " PLAYING VCD    01/01");
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "These files were not opened:\nC:\\CLIPS\\A.MPG");
    EXPECT_EQ(responder.message_boxes[0].caption, "WARNING");
}

TEST_F(CommandLineFiles, a_cue_sheet_the_device_refuses_is_not_replaced_by_the_disc_in_the_drive) {
    mci_test::device_script().refuse_elements = true;
    open({linux_file("C:\\DISCS\\DISC.CUE")});

    const std::vector<std::string> tried = opens();
    ASSERT_EQ(tried.size(), 3u) << "only the forms that name the image";
    EXPECT_EQ(tried[0], open_command_for("C:\\DISCS\\DISC.CUE", "VCDVideo"));
    EXPECT_EQ(tried[1], "open C:\\DISCS\\DISC.CUE type VCDVideo alias xyzmpeg style popup wait");
    EXPECT_EQ(tried[2], "open C:\\DISCS\\DISC.CUE type VCDVideo alias xyzmpeg wait");
    EXPECT_FALSE(player::state.media_open);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Error: open VCDVideo device with C:\\DISCS\\DISC.CUE");
    EXPECT_EQ(responder.beeps.size(), 1u);
}

TEST_F(CommandLineFiles, names_of_no_file_are_reported_in_one_box_and_the_others_play) {
    const std::string missing = (prefix.root() / "missing.mpg").string();
    open({missing, linux_file("C:\\CLIPS\\A.MPG"), "/no/such/folder/b.mpg"});

    EXPECT_STREQ(player::state.selected_files, "C:\\CLIPS\\A.MPG");
    EXPECT_TRUE(player::state.media_open);
    EXPECT_EQ(std::string(player::state.status_text).substr(15), " 01/01");
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text,
              "These files were not opened:\n" + missing + "\n/no/such/folder/b.mpg");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONERROR);
}

TEST_F(CommandLineFiles, none_opens_nothing_and_says_nothing) {
    open({});
    EXPECT_TRUE(opens().empty());
    EXPECT_FALSE(player::state.media_open);
    EXPECT_TRUE(responder.message_boxes.empty());
}

} // namespace
