// player_tick against the scripted device: nothing while not playing; while playing it reads the
// position and the mode, recovers a device that stopped by itself, and applies fast view.
#include "ScriptedMci.h"

#include "core/PlayerTick.h"
#include "ops/Transport.h"

#include <cstring>

namespace {

using namespace scripted_mci;
using player::state;
using Strings = std::vector<std::string>;

const Strings play_tail = {"play xyzmpeg repeat", "setaudio xyzmpeg left on wait",
                           "setaudio xyzmpeg right on wait"};
const Strings reads = {"status xyzmpeg position wait", "status xyzmpeg mode wait"};

Strings then(Strings head, Strings const& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class PlayerTick : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        open_alias();
        state.length_ms = 90000;
        state.playing = true;
        answer("status xyzmpeg mode wait", 0, "playing");
    }

    void device_at(std::int32_t position_ms) {
        answer("status xyzmpeg position wait", 0, std::to_string(position_ms));
    }
};

TEST_F(PlayerTick, does_nothing_while_not_playing) {
    struct Case {
        char const* name;
        bool media_open;
        bool playing;
    };
    for (Case c : {Case{"stopped, paused, fast or slow", true, false}, Case{"closed", false, false},
                   Case{"closed but flagged playing", false, true}}) {
        state.media_open = c.media_open;
        state.playing = c.playing;
        state.position_ms = 1234;
        device_at(50000);
        player::player_tick();
        EXPECT_TRUE(sent().empty()) << c.name;
        EXPECT_EQ(state.position_ms, 1234) << c.name;
    }
}

TEST_F(PlayerTick, reads_the_position_and_the_mode_while_playing) {
    device_at(12345);
    player::player_tick();
    EXPECT_EQ(sent(), reads);
    EXPECT_EQ(state.position_ms, 12345);
    EXPECT_TRUE(state.playing);
}

TEST_F(PlayerTick, takes_the_activation_back) {
    HWND other = make_video_window();
    SetActiveWindow(other);
    device_at(1000);
    player::player_tick();
    EXPECT_EQ(GetActiveWindow(), player::windows.main_window);
}

// What the device answers to "status xyzmpeg mode wait", and whether the tick takes that for a
// device that stopped by itself.
struct ModeCase {
    char const* name;
    std::string reply;
    MCIERROR error;
    bool stopped;
};

void PrintTo(ModeCase const& c, std::ostream* out) {
    *out << c.name;
}

class ModeReplies : public PlayerTick, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeReplies, anything_but_playing_moves_on_one_second_and_plays) {
    ModeCase const& c = GetParam();
    answer("status xyzmpeg mode wait", c.error, c.reply);
    device_at(40000);
    player::player_tick();
    if (c.stopped) {
        EXPECT_EQ(sent(), then(then(reads, {"seek xyzmpeg to 41000 wait"}), play_tail));
        EXPECT_EQ(state.position_ms, 41000);
    } else {
        EXPECT_EQ(sent(), reads);
        EXPECT_EQ(state.position_ms, 40000);
    }
    EXPECT_TRUE(state.playing);
}

INSTANTIATE_TEST_SUITE_P(PlayerTick, ModeReplies,
                         ::testing::Values(ModeCase{"playing", "playing", 0, false},
                                           ModeCase{"upper_case_playing", "PLAYING", 0, false},
                                           ModeCase{"gb2312_playing", "\xB2\xA5\xB7\xC5\xD6\xD0", 0, false},
                                           ModeCase{"stopped", "stopped", 0, true},
                                           ModeCase{"paused", "paused", 0, true},
                                           ModeCase{"playing_with_more", "playing now", 0, true},
                                           ModeCase{"gb2312_cut_short", "\xB2\xA5\xB7\xC5", 0, true},
                                           ModeCase{"query_failed", "", MCIERR_HARDWARE, true}),
                         [](auto const& info) { return std::string(info.param.name); });

TEST_F(PlayerTick, a_device_stopped_past_the_end_goes_to_the_next_item) {
    std::strcpy(state.selected_files, "C:\\CLIPS A.MPG B.MPG");
    state.item_count = 2;
    state.item_index = 1;
    state.file_mode = true;
    std::strcpy(state.device_type, "MPEGMovie");
    answer("status xyzmpeg mode wait", 0, "stopped");
    device_at(89500);
    player::player_tick();
    const Strings commands = sent();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(Strings(commands.begin(), commands.begin() + 2), reads);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "seek xyzmpeg to 90500 wait"), 0);
    EXPECT_NE(std::find_if(
                  commands.begin(), commands.end(),
                  [](std::string const& c) { return c.starts_with("open C:\\CLIPS\\B.MPG type MPEGMovie"); }),
              commands.end());
    EXPECT_EQ(state.item_index, 2);
}

// Fast view with the default 25 s step: of every half minute only the first 25 s play.
struct FastViewCase {
    std::int32_t position_ms;
    bool jumps;
};

void PrintTo(FastViewCase const& c, std::ostream* out) {
    *out << c.position_ms << " ms";
}

class FastView : public PlayerTick, public ::testing::WithParamInterface<FastViewCase> {};

TEST_P(FastView, jumps_five_seconds_at_26_to_29_and_56_to_59) {
    FastViewCase const& c = GetParam();
    state.fast_view = true;
    state.length_ms = 600000;
    device_at(c.position_ms);
    player::player_tick();
    if (c.jumps) {
        const std::int32_t target = c.position_ms + 5000;
        EXPECT_EQ(sent(),
                  then(then(reads, {"seek xyzmpeg to " + std::to_string(target) + " wait"}), play_tail));
        EXPECT_EQ(state.position_ms, target);
    } else {
        EXPECT_EQ(sent(), reads);
    }
}

INSTANTIATE_TEST_SUITE_P(PlayerTick, FastView,
                         ::testing::Values(FastViewCase{25000, false}, FastViewCase{25999, false},
                                           FastViewCase{26000, true}, FastViewCase{29999, true},
                                           FastViewCase{30000, false}, FastViewCase{55999, false},
                                           FastViewCase{56000, true}, FastViewCase{59500, true},
                                           FastViewCase{60000, false}, FastViewCase{146000, true},
                                           FastViewCase{0, false}, FastViewCase{12000, false}),
                         [](auto const& info) { return "at_" + std::to_string(info.param.position_ms); });

TEST_F(PlayerTick, fast_view_with_a_short_step_plays_the_first_seconds_of_each_half_minute) {
    struct Case {
        std::int32_t step_ms;
        std::int32_t position_ms;
        std::int32_t target_ms; // 0: no jump
    };
    state.fast_view = true;
    for (Case c : {Case{5000, 6000, 31000}, Case{5000, 5000, 0}, Case{5000, 36000, 61000},
                   Case{9000, 10000, 31000}, Case{1000, 2000, 31000}}) {
        forget_sent();
        state.time_step_ms = c.step_ms;
        state.length_ms = 600000;
        device_at(c.position_ms);
        player::player_tick();
        const Strings commands = sent();
        if (c.target_ms) {
            ASSERT_GE(commands.size(), 3u);
            EXPECT_EQ(commands[2], "seek xyzmpeg to " + std::to_string(c.target_ms) + " wait")
                << c.step_ms << " at " << c.position_ms;
        } else {
            EXPECT_EQ(commands, reads) << c.step_ms << " at " << c.position_ms;
        }
    }
}

} // namespace
