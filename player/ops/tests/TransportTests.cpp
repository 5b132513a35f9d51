// The transport operations against the scripted device: the exact strings each sends, the state
// each leaves, and the beep on failure.
#include "ScriptedMci.h"

#include "core/PanelLayout.h"
#include "ops/Transport.h"

#include <cstring>
#include <functional>
#include <limits>

namespace {

using namespace scripted_mci;
using player::state;
using Strings = std::vector<std::string>;

class Transport : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        open_alias();
    }
};

const Strings play_tail = {"play xyzmpeg repeat", "setaudio xyzmpeg left on wait",
                           "setaudio xyzmpeg right on wait"};

Strings then(Strings head, Strings const& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(Transport, pause_key_three_times_from_start_pauses_resumes_and_pauses) {
    ASSERT_TRUE(state.unpaused);
    state.playing = true;
    player::toggle_pause();
    EXPECT_FALSE(state.playing);
    EXPECT_FALSE(state.unpaused);
    player::toggle_pause();
    EXPECT_TRUE(state.playing);
    EXPECT_TRUE(state.unpaused);
    player::toggle_pause();
    EXPECT_EQ(sent(), (Strings{"pause xyzmpeg", "resume xyzmpeg", "pause xyzmpeg"}));
    EXPECT_FALSE(state.playing);
    EXPECT_FALSE(state.unpaused);
    EXPECT_EQ(beeps(), 0u);
}

TEST_F(Transport, pause_state_survives_play_and_stop) {
    player::pause_play();
    player::play();
    player::stop();
    EXPECT_FALSE(state.unpaused);
    forget_sent();
    player::toggle_pause();
    EXPECT_EQ(sent(), Strings{"resume xyzmpeg"});
}

TEST_F(Transport, play_kills_the_stop_timer_and_plays_whatever_the_device_says) {
    player::stop();
    EXPECT_EQ(state.stop_timer, player::stop_timer_id);
    player::panel_look.position_knob_pressed = true;
    player::panel_look.volume_knob_pressed = true;
    answer("play xyzmpeg repeat", MCIERR_HARDWARE);
    forget_sent();

    player::play();

    EXPECT_EQ(state.stop_timer, 0u);
    EXPECT_TRUE(state.playing);
    EXPECT_FALSE(player::panel_look.position_knob_pressed);
    EXPECT_FALSE(player::panel_look.volume_knob_pressed);
    EXPECT_EQ(sent(), play_tail);
    EXPECT_EQ(beeps(), 1u);
}

TEST_F(Transport, stop_starts_one_timer_and_clears_playing) {
    state.playing = true;
    player::stop();
    player::stop();
    EXPECT_EQ(sent(), (Strings{"stop xyzmpeg wait", "stop xyzmpeg wait"}));
    EXPECT_EQ(state.stop_timer, player::stop_timer_id);
    EXPECT_FALSE(state.playing);
}

// One operation from a given position, the strings it sends and the position it leaves.
struct SeekCase {
    char const* name;
    std::int32_t position;
    std::int32_t length;
    std::int32_t step;
    std::function<void()> operation;
    Strings expected;
    std::int32_t position_after;
};

void PrintTo(SeekCase const& c, std::ostream* out) {
    *out << c.name;
}

class Seeks : public Transport, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(Seeks, send_the_seek_and_keep_the_position_in_range) {
    SeekCase const& c = GetParam();
    state.position_ms = c.position;
    state.length_ms = c.length;
    state.time_step_ms = c.step;
    c.operation();
    EXPECT_EQ(sent(), c.expected);
    EXPECT_EQ(state.position_ms, c.position_after);
    EXPECT_EQ(beeps(), 0u);
}

constexpr std::int32_t max_int = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Transport, Seeks,
    ::testing::Values(
        SeekCase{"back_from_3000_with_default_step_goes_to_0", 3000, 90000, 25000, player::seek_back,
                 then({"seek xyzmpeg to 0 wait"}, play_tail), 0},
        SeekCase{"back_by_a_step", 30000, 90000, 25000, player::seek_back,
                 then({"seek xyzmpeg to 5000 wait"}, play_tail), 5000},
        SeekCase{"forward_near_the_end_stops_at_the_length", 80000, 90000, 25000, player::seek_forward,
                 then({"seek xyzmpeg to 90000 wait"}, play_tail), 90000},
        SeekCase{"forward_to_exactly_the_end", 65000, 90000, 25000, player::seek_forward,
                 then({"seek xyzmpeg to 90000 wait"}, play_tail), 90000},
        SeekCase{"forward_by_a_step", 1000, 90000, 9000, player::seek_forward,
                 then({"seek xyzmpeg to 10000 wait"}, play_tail), 10000},
        SeekCase{"forward_at_the_top_of_the_range_does_not_wrap", max_int - 10, max_int, 25000,
                 player::seek_forward, then({"seek xyzmpeg to 2147483647 wait"}, play_tail), max_int},
        SeekCase{"ctrl_5_on_90_s_seeks_to_45_s_and_leaves_the_position", 7000, 90000, 25000,
                 [] { player::seek_tenth(5); }, then({"seek xyzmpeg to 45000 wait"}, play_tail), 7000},
        SeekCase{"ctrl_9_truncates", 0, 12345, 25000, [] { player::seek_tenth(9); },
                 then({"seek xyzmpeg to 11110 wait"}, play_tail), 0},
        SeekCase{"ctrl_9_on_74_minutes", 0, 4440000, 25000, [] { player::seek_tenth(9); },
                 then({"seek xyzmpeg to 3996000 wait"}, play_tail), 0},
        SeekCase{"home_goes_to_start_and_plays", 50000, 90000, 25000, player::seek_start_and_play,
                 then({"seek xyzmpeg to start wait"}, play_tail), 0},
        SeekCase{
            "end_only_seeks", 50000, 90000, 25000, player::seek_end, {"seek xyzmpeg to end wait"}, 50000}),
    [](auto const& info) { return std::string(info.param.name); });

TEST_F(Transport, seek_to_end_does_not_play) {
    player::seek_end();
    EXPECT_FALSE(state.playing);
}

TEST_F(Transport, time_step_keys_set_seconds_and_alt_0_restores_25_s) {
    struct Case {
        int digit;
        std::int32_t step;
    };
    for (Case c : {Case{0, 25000}, Case{9, 9000}, Case{1, 1000}, Case{5, 5000}}) {
        player::set_time_step(c.digit);
        EXPECT_EQ(state.time_step_ms, c.step) << "Alt+" << c.digit;
    }
    EXPECT_TRUE(sent().empty());
}

TEST_F(Transport, step_stops_normal_play_first_without_the_stop_timer) {
    state.playing = true;
    player::step_forward();
    EXPECT_EQ(sent(), (Strings{"stop xyzmpeg wait", "step xyzmpeg by 1 wait"}));
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.stop_timer, 0u);
    forget_sent();
    player::step_forward();
    EXPECT_EQ(sent(), Strings{"step xyzmpeg by 1 wait"});
}

TEST_F(Transport, fast_and_slow_play_clear_playing) {
    struct Case {
        void (*operation)();
        char const* command;
    };
    for (Case c :
         {Case{player::fast_play, "play xyzmpeg fast"}, Case{player::slow_play, "play xyzmpeg slow"}}) {
        forget_sent();
        state.playing = true;
        c.operation();
        EXPECT_EQ(sent(), Strings{c.command});
        EXPECT_FALSE(state.playing);
        EXPECT_EQ(state.stop_timer, 0u);
    }
}

TEST_F(Transport, configure_stops_and_configures_and_leaves_playing) {
    state.playing = true;
    player::configure_device();
    EXPECT_EQ(sent(), (Strings{"stop xyzmpeg wait", "configure xyzmpeg"}));
    EXPECT_TRUE(state.playing);
}

TEST_F(Transport, query_position_reads_milliseconds) {
    answer("status xyzmpeg position wait", 0, "61234");
    EXPECT_EQ(player::query_position(), 61234);
    EXPECT_EQ(sent(), (Strings{"set xyzmpeg time format milliseconds wait", "status xyzmpeg position wait"}));
}

// Each failing command beeps once and the operation goes on.
TEST_F(Transport, failed_commands_beep_and_the_state_is_set_anyway) {
    struct Case {
        char const* command;
        std::function<void()> operation;
    };
    const Case cases[] = {
        {"pause xyzmpeg", player::pause_play},
        {"resume xyzmpeg", player::resume_play},
        {"seek xyzmpeg to start wait", player::seek_start_and_play},
        {"seek xyzmpeg to end wait", player::seek_end},
        {"seek xyzmpeg to 1234 wait", [] { player::seek_to(1234); }},
        {"step xyzmpeg by 1 wait", player::step_forward},
        {"play xyzmpeg fast", player::fast_play},
        {"play xyzmpeg slow", player::slow_play},
        {"configure xyzmpeg", player::configure_device},
        {"set xyzmpeg time format milliseconds wait", [] { player::query_position(); }},
    };
    for (Case const& c : cases) {
        mci_test::device_script().answers.clear();
        answer(c.command, MCIERR_HARDWARE);
        responder.beeps.clear();
        c.operation();
        EXPECT_EQ(beeps(), 1u) << c.command;
        if (!responder.beeps.empty()) {
            EXPECT_EQ(responder.beeps.front(), 0xFFFFFFFFu);
        }
    }
}

TEST_F(Transport, audio_control_four_times_cycles_right_left_off_all) {
    struct Step {
        bool left_on;
        bool right_on;
        Strings commands;
    };
    const Step steps[] = {
        {false, true, {"setaudio xyzmpeg left off wait", "setaudio xyzmpeg right on wait"}},
        {true, false, {"setaudio xyzmpeg left on wait", "setaudio xyzmpeg right off wait"}},
        {false, false, {"setaudio xyzmpeg left off wait", "setaudio xyzmpeg right off wait"}},
        {true, true, {"setaudio xyzmpeg left on wait", "setaudio xyzmpeg right on wait"}},
    };
    for (int press = 0; press < 4; ++press) {
        forget_sent();
        player::audio_control();
        Step const& step = steps[press];
        EXPECT_EQ(state.audio_mode_counter, press + 1);
        EXPECT_EQ(state.left_on, step.left_on) << "press " << press + 1;
        EXPECT_EQ(state.right_on, step.right_on) << "press " << press + 1;
        EXPECT_EQ(sent(), step.commands) << "press " << press + 1;
    }
}

TEST(AudioModeText, cycles_all_on_right_left_off_in_21_characters) {
    const char* texts[] = {"  AUDIO ALL ON       ", "  AUDIO RIGHT ON     ", "  AUDIO LEFT ON      ",
                           "  AUDIO ALL OFF      "};
    for (std::int32_t counter = 0; counter < 8; ++counter) {
        EXPECT_STREQ(player::audio_mode_text(counter), texts[counter % 4]) << counter;
        EXPECT_EQ(std::strlen(player::audio_mode_text(counter)), 21u);
    }
    EXPECT_STREQ(player::audio_mode_text(-1), texts[3]); // a wrapped counter still selects a mode
}

TEST_F(Transport, audio_failures_are_not_reported) {
    answer("setaudio xyzmpeg left on wait", MCIERR_HARDWARE);
    answer("setaudio xyzmpeg volume to 1000 wait", MCIERR_HARDWARE);
    player::apply_volume();
    EXPECT_EQ(beeps(), 0u);
}

class Volume : public ScriptedPlayer {};

TEST_F(Volume, keys_with_nothing_open_send_nothing_and_the_value_is_clamped_when_applied) {
    for (int press = 0; press < 3; ++press)
        player::volume_up();
    EXPECT_EQ(state.volume, 1300);
    EXPECT_TRUE(sent().empty());

    open_alias();
    player::apply_volume();
    EXPECT_EQ(state.volume, 1000);
    EXPECT_EQ(sent(), (Strings{"setaudio xyzmpeg volume to 1000 wait", "setaudio xyzmpeg left on wait",
                               "setaudio xyzmpeg right on wait"}));
}

TEST_F(Volume, keys_with_a_medium_open_apply_at_once_inside_0_to_1000) {
    open_alias();
    player::volume_up();
    EXPECT_EQ(state.volume, 1000);
    for (int press = 0; press < 11; ++press)
        player::volume_down();
    EXPECT_EQ(state.volume, 0);
    const Strings commands = sent();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), "setaudio xyzmpeg volume to 1000 wait");
    EXPECT_EQ(commands[commands.size() - 3], "setaudio xyzmpeg volume to 0 wait");
}

TEST_F(Volume, negative_value_is_clamped_to_0) {
    open_alias();
    state.volume = -250;
    player::apply_volume();
    EXPECT_EQ(state.volume, 0);
    EXPECT_EQ(sent().front(), "setaudio xyzmpeg volume to 0 wait");
}

class CloseMedia : public ScriptedPlayer {};

TEST_F(CloseMedia, stops_play_clears_the_medium_and_closes_the_alias) {
    open_alias();
    state.playing = true;
    state.position_ms = 5000;
    state.length_ms = 90000;
    player::close_media();
    EXPECT_EQ(sent(), (Strings{"stop xyzmpeg wait", "close xyzmpeg wait"}));
    EXPECT_FALSE(state.media_open);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.position_ms, 0);
    EXPECT_EQ(state.length_ms, 1);
}

TEST_F(CloseMedia, without_play_only_closes) {
    open_alias();
    player::close_media();
    EXPECT_EQ(sent(), Strings{"close xyzmpeg wait"});
}

} // namespace
