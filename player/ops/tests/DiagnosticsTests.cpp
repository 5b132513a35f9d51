// The stream information box and the speed test against the scripted device.
#include "ScriptedMci.h"

#include "core/CommandDispatch.h"
#include "core/CommandTable.h"
#include "ops/Diagnostics.h"

#include "host/user32_dialogs.h"

#include <regex>

namespace {

using namespace scripted_mci;
using player::state;
using Strings = std::vector<std::string>;

class Diagnostics : public ScriptedPlayer {};

TEST_F(Diagnostics, information_box_shows_the_stream_as_reported_at_open_even_with_nothing_open) {
    state.stream_info = {352, 240, 224000, 1150000, 1411200, 25000};
    player::dispatch_command(player::mpeg_info_menu_id);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "Info");
    EXPECT_EQ(responder.message_boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(responder.message_boxes[0].text, "source width\t= 352\nsource height\t= 240\n"
                                               "audio  rate = 0224000 (bits/sec)\n"
                                               "video  rate = 1150000 (bits/sec)\n"
                                               "system rate = 1411200 (bits/sec)\n"
                                               "frame  rate = 25.000 (frames/sec)");
}

TEST_F(Diagnostics, information_of_a_device_that_reported_nothing_is_all_zero) {
    char text[player::stream_info_text_size];
    player::stream_info_text(text);
    EXPECT_STREQ(text, "source width\t= 0\nsource height\t= 0\naudio  rate = 0000000 (bits/sec)\n"
                       "video  rate = 0000000 (bits/sec)\nsystem rate = 0000000 (bits/sec)\n"
                       "frame  rate =  0.000 (frames/sec)");
}

struct SpeedCase {
    std::int32_t frames;
    std::uint32_t elapsed_ms;
    char const* text;
};

class SpeedText : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedText, is_frames_per_second_truncated) {
    char text[player::speed_text_size];
    player::speed_test_text(text, GetParam().frames, GetParam().elapsed_ms);
    EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedText,
    ::testing::Values(SpeedCase{600, 12000, "System (Video Only) Speed: 50 (frames/sec)"},
                      SpeedCase{7, 3, "System (Video Only) Speed: 2333 (frames/sec)"},
                      SpeedCase{0, 40, "System (Video Only) Speed: 0 (frames/sec)"},
                      // No measurable time counts as one millisecond.
                      SpeedCase{300, 0, "System (Video Only) Speed: 300000 (frames/sec)"},
                      SpeedCase{0, 0, "System (Video Only) Speed: 0 (frames/sec)"}));

class SpeedTest : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        open_alias();
    }

    // The strings sent, without those of the layout and the audio that the panel refresh sends.
    Strings test_strings() const {
        Strings kept;
        for (std::string const& command : sent())
            if (command.starts_with("ratecontrol") || command.starts_with("set xyzmpeg time format") ||
                command.starts_with("status xyzmpeg length") || command.starts_with("seek") ||
                command.starts_with("play"))
                kept.push_back(command);
        return kept;
    }

    static Strings expected_for(std::string const& last_frame) {
        return {"ratecontrol xyzmpeg off wait",
                "set xyzmpeg time format frames wait",
                "status xyzmpeg length wait",
                "seek xyzmpeg to 0 wait",
                "play xyzmpeg from 0 to " + last_frame + " wait",
                "ratecontrol xyzmpeg on wait",
                "set xyzmpeg time format milliseconds wait"};
    }
};

struct LengthCase {
    MCIERROR error;
    char const* length;
    char const* last_frame;
};

class SpeedTestLengths : public SpeedTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(SpeedTestLengths, play_up_to_600_frames_and_report_a_plain_integer) {
    answer("status xyzmpeg length wait", GetParam().error, GetParam().length);
    player::dispatch_command(player::speed_test_menu_id);
    EXPECT_EQ(test_strings(), expected_for(GetParam().last_frame));
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "Speed Test Result:");
    EXPECT_EQ(responder.message_boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(std::regex_match(responder.message_boxes[0].text,
                                 std::regex("System \\(Video Only\\) Speed: [0-9]+ \\(frames/sec\\)")))
        << responder.message_boxes[0].text;
}

INSTANTIATE_TEST_SUITE_P(Cases, SpeedTestLengths,
                         ::testing::Values(LengthCase{0, "300", "300"}, LengthCase{0, "2000", "600"},
                                           LengthCase{0, "600", "600"},
                                           // A length that cannot be had plays nothing.
                                           LengthCase{MCIERR_UNSUPPORTED_FUNCTION, "", "0"},
                                           LengthCase{0, "-5", "0"}));

TEST_F(SpeedTest, leaves_the_device_in_milliseconds_with_rate_control_and_not_playing) {
    answer("status xyzmpeg length wait", 0, "300");
    state.playing = false;
    player::speed_test();
    std::string last_format;
    std::string last_rate_control;
    for (std::string const& command : sent()) {
        if (command.starts_with("set xyzmpeg time format"))
            last_format = command;
        if (command.starts_with("ratecontrol"))
            last_rate_control = command;
    }
    EXPECT_EQ(last_format, "set xyzmpeg time format milliseconds wait");
    EXPECT_EQ(last_rate_control, "ratecontrol xyzmpeg on wait");
    EXPECT_FALSE(state.playing);
}

TEST_F(SpeedTest, needs_an_open_medium) {
    state.media_open = false;
    player::dispatch_command(player::speed_test_menu_id);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(responder.message_boxes.empty());
}

} // namespace
