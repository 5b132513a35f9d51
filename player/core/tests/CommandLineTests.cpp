// The command line: which arguments set use_other_devices, which show the usage box, and that
// the usage box ends the program before any window exists.
#include "core/CommandLine.h"
#include "core/Player.h"
#include "core/Startup.h"

#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/user32_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct OptionsCase {
    std::vector<std::string> arguments;
    bool use_other_devices;
    bool show_usage;
};

class CommandLine : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(CommandLine, reads_options_by_their_first_two_characters) {
    const OptionsCase& c = GetParam();
    const player::CommandLineOptions options = player::read_command_line(c.arguments);
    EXPECT_EQ(options.use_other_devices, c.use_other_devices);
    EXPECT_EQ(options.show_usage, c.show_usage);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLine,
    ::testing::Values(OptionsCase{{}, false, false}, OptionsCase{{"/d"}, true, false},
                      OptionsCase{{"-d"}, true, false}, OptionsCase{{"/D"}, true, false},
                      OptionsCase{{"-D"}, true, false}, OptionsCase{{"/device"}, true, false},
                      OptionsCase{{"C:\\MOVIES\\CLIP.MPG"}, false, false}, // no file-name argument
                      OptionsCase{{"d"}, false, false}, OptionsCase{{"/"}, false, false},
                      OptionsCase{{"-"}, false, false}, OptionsCase{{"/x", "-q"}, false, false},
                      OptionsCase{{"/?"}, false, true}, OptionsCase{{"-?"}, false, true},
                      OptionsCase{{"/d", "/?"}, true, true},
                      OptionsCase{{"/?", "/d"}, false, true}, // nothing after /? is looked at
                      OptionsCase{{"CLIP.MPG", "-D"}, true, false}));

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

} // namespace
