// Opening files on the scripted device: the device type by extension, the open fall-backs, the
// error box, status_text, and the set-up (stream queries, length, video window, position signal).
#include "ScriptedMci.h"

#include "core/DeviceHandling.h"
#include "ops/Transport.h"

#include "host/user32_dialogs.h"

#include <cstring>

namespace {

using namespace scripted_mci;
using player::bitmaps;
using player::state;
using Strings = std::vector<std::string>;

class DeviceHandling : public ScriptedPlayer {
  protected:
    void SetUp() override {
        ScriptedPlayer::SetUp();
        std::strcpy(state.device_type, "MPEGMovie");
    }

    bool open(char const* path) {
        std::strncpy(m_path, path, sizeof m_path - 1);
        return player::open_file(m_path);
    }

    // The open commands sent, in order.
    Strings opens() const {
        Strings found;
        for (std::string const& command : sent())
            if (command.starts_with("open "))
                found.push_back(command);
        return found;
    }

    std::string parent() const {
        return std::to_string(reinterpret_cast<std::uintptr_t>(player::windows.main_window));
    }

    char m_path[256] = {};
};

TEST_F(DeviceHandling, device_type_is_found_by_substring_in_table_order) {
    struct Case {
        char const* path;
        char const* type;
    };
    const Case cases[] = {
        {"C:\\CLIPS\\A.AVI", "avivideo"},       {"C:\\CLIPS\\A.MOV.MPG", "QTWVideo"},
        {"C:\\CLIPS\\A.FLI", "Animation1"},     {"C:\\CLIPS\\A.FLC", "Animation1"},
        {"C:\\CLIPS\\A.DAT", "MPEGMovie"},      {"C:\\CLIPS\\A.MPG", "MPEGMovie"},
        {"C:\\X.AVI\\A.MOV", "avivideo"},       {"C:\\CLIPS\\A.AV", "MPEGMovie"},
        {"C:\\CLIPS\\A.FLC.FLI", "Animation1"},
    };
    for (Case const& c : cases)
        EXPECT_STREQ(player::device_type_for(c.path), c.type) << c.path;
    std::strcpy(state.device_type, "Overlay");
    EXPECT_STREQ(player::device_type_for("C:\\CLIPS\\A.MPG"), "Overlay");
}

TEST_F(DeviceHandling, open_upper_cases_the_path_and_opens_with_the_main_window_as_parent) {
    ASSERT_TRUE(open("c:\\clips\\a.avi"));
    EXPECT_STREQ(state.current_path, "C:\\CLIPS\\A.AVI");
    EXPECT_STREQ(m_path, "C:\\CLIPS\\A.AVI");
    const Strings commands = sent();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "close xyzmpeg wait");
    EXPECT_EQ(commands[1],
              "open C:\\CLIPS\\A.AVI type avivideo alias xyzmpeg parent " + parent() + " style popup wait");
    EXPECT_TRUE(state.media_open);
}

// Which of the four opens the device refuses, and the opens tried.
struct FallBackCase {
    char const* name;
    int refused; // the first `refused` forms fail
};

void PrintTo(FallBackCase const& c, std::ostream* out) {
    *out << c.name;
}

class OpenFallBack : public DeviceHandling, public ::testing::WithParamInterface<FallBackCase> {};

TEST_P(OpenFallBack, tries_plainer_forms_until_one_opens) {
    const std::string path = "C:\\CLIPS\\A.MOV.MPG";
    const Strings forms = {
        "open " + path + " type QTWVideo alias xyzmpeg parent " + parent() + " style popup wait",
        "open " + path + " type QTWVideo alias xyzmpeg style popup wait",
        "open " + path + " type QTWVideo alias xyzmpeg wait",
        "open " + path + " type QTWVideo alias xyzmpeg",
    };
    const int refused = GetParam().refused;
    for (int i = 0; i < refused; ++i)
        answer(forms[static_cast<std::size_t>(i)], MCIERR_CANNOT_LOAD_DRIVER);

    const bool opened = open(path.c_str());

    const Strings expected(forms.begin(), forms.begin() + std::min(refused + 1, 4));
    EXPECT_EQ(opens(), expected);
    EXPECT_EQ(opened, refused < 4);
    EXPECT_EQ(state.media_open, refused < 4);
    EXPECT_TRUE(responder.message_boxes.empty() == (refused < 4));
}

INSTANTIATE_TEST_SUITE_P(DeviceHandling, OpenFallBack,
                         ::testing::Values(FallBackCase{"first_form_opens", 0},
                                           FallBackCase{"without_parent", 1},
                                           FallBackCase{"without_style_popup", 2},
                                           FallBackCase{"without_wait", 3}),
                         [](auto const& info) { return std::string(info.param.name); });

TEST_F(DeviceHandling, every_open_failing_shows_the_error_box_beeps_and_changes_nothing) {
    const QRect window_before = placement(player::windows.main_window);
    std::strcpy(state.status_text, "REELIX V1.64 1998");
    for (std::string const& suffix : {" parent " + parent() + " style popup wait",
                                      std::string(" style popup wait"), std::string(" wait"), std::string()})
        answer(std::string("open C:\\CLIPS\\A.MPG type MPEGMovie alias xyzmpeg") + suffix,
               MCIERR_FILE_NOT_FOUND);

    EXPECT_FALSE(open("C:\\CLIPS\\A.MPG"));

    EXPECT_EQ(opens().size(), 4u);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Error: open MPEGMovie device with C:\\CLIPS\\A.MPG");
    EXPECT_EQ(responder.message_boxes[0].caption, "error");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONERROR);
    EXPECT_EQ(beeps(), 1u);
    EXPECT_FALSE(state.media_open);
    EXPECT_FALSE(state.playing);
    EXPECT_STREQ(state.status_text, "REELIX V1.64 1998");
    EXPECT_EQ(placement(player::windows.main_window), window_before);
    EXPECT_EQ(opens().size(), sent().size() - 1); // nothing after the last open
}

TEST_F(DeviceHandling, status_text_shows_the_end_of_the_path_and_the_item_indicator) {
    struct Case {
        char const* path;
        std::int32_t index;
        std::int32_t count;
        char const* text;
    };
    const Case cases[] = {
        {"C:\\MOVIES\\CLIP01.MPG", 1, 3, " ES\\CLIP01.MPG  01/03"},
        {"C:\\A.MPG", 1, 1, " C:\\A.MPG       01/01"}, // shorter than 13: whole, after one space
        {"c:\\movies\\clip01.mpg", 7, 12, " ES\\CLIP01.MPG  07/12"},
        {"C:\\FOLDER\\ABCDEFGHIJKLM", 2, 2, " ABCDEFGHIJKLM  02/02"}, // exactly 13
        {"C:\\MOVIES\\CLIP01.MPG", 105, 120, " ES\\CLIP01.MPG  105/120"},
        {"", 1, 1, "                01/01"},
    };
    for (Case const& c : cases) {
        state.item_index = c.index;
        state.item_count = c.count;
        player::build_status_text(c.path);
        EXPECT_STREQ(state.status_text, c.text) << c.path;
    }
}

TEST_F(DeviceHandling, an_over_long_path_is_cut_to_127_characters) {
    std::string path = "C:\\" + std::string(200, 'A') + ".MPG";
    EXPECT_TRUE(open(path.c_str()));
    EXPECT_EQ(std::strlen(state.current_path), 127u);
    EXPECT_EQ(std::string(state.current_path), path.substr(0, 127));
}

// The length reply, and the length after the set-up.
struct LengthCase {
    char const* name;
    MCIERROR error;
    std::string reply;
    std::int32_t before;
    std::int32_t after;
};

void PrintTo(LengthCase const& c, std::ostream* out) {
    *out << c.name;
}

class Length : public DeviceHandling, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(Length, zero_or_less_becomes_74_minutes_and_a_failed_query_keeps_the_value) {
    LengthCase const& c = GetParam();
    answer("status xyzmpeg length wait", c.error, c.reply);
    state.length_ms = c.before;
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    EXPECT_EQ(state.length_ms, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceHandling, Length,
    ::testing::Values(LengthCase{"reported", 0, "90000", 1, 90000}, LengthCase{"zero", 0, "0", 1, 4440000},
                      LengthCase{"negative", 0, "-5", 1, 4440000},
                      LengthCase{"no_digits", 0, "unknown", 1, 4440000},
                      LengthCase{"failed_after_an_open_command", MCIERR_HARDWARE, "", 1, 1},
                      LengthCase{"failed_within_a_play_list", MCIERR_HARDWARE, "", 61000, 61000}),
    [](auto const& info) { return std::string(info.param.name); });

TEST_F(DeviceHandling, stream_queries_are_used_only_on_success) {
    state.stream_info.audio_bitrate = 99;
    answer("status xyzmpeg audio bitrate wait", 0, "224000");
    answer("status xyzmpeg bitrate wait", MCIERR_UNSUPPORTED_FUNCTION);
    answer("status xyzmpeg video bitrate wait", 0, "1150000");
    answer("status xyzmpeg nominal frame rate wait", 0, "25000");
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    EXPECT_EQ(state.stream_info.audio_bitrate, 224000);
    EXPECT_EQ(state.stream_info.system_bitrate, 0); // cleared by the set-up, kept by the failure
    EXPECT_EQ(state.stream_info.video_bitrate, 1150000);
    EXPECT_EQ(state.stream_info.nominal_frame_rate, 25000);
    EXPECT_EQ(beeps(), 0u);
}

TEST_F(DeviceHandling, a_failed_time_format_change_beeps_and_the_set_up_goes_on) {
    answer("set xyzmpeg time format milliseconds wait", MCIERR_BAD_TIME_FORMAT);
    answer("status xyzmpeg length wait", 0, "5000");
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    EXPECT_EQ(beeps(), 1u);
    EXPECT_EQ(state.length_ms, 5000);
}

TEST_F(DeviceHandling, a_picture_is_placed_under_the_panel_and_starts_playing) {
    const HWND video = make_video_window();
    answer("status xyzmpeg window handle wait", 0, handle_number(video));
    answer("where xyzmpeg source wait", 0, "0 0 352 240");
    answer("status xyzmpeg length wait", 0, "90000");
    state.position_ms = 777;
    state.mark_begin_ms = 1;
    state.mark_end_ms = 2;

    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));

    EXPECT_EQ(sent(), (Strings{
                          "close xyzmpeg wait",
                          "open C:\\CLIPS\\A.MPG type MPEGMovie alias xyzmpeg parent " + parent() +
                              " style popup wait",
                          "status xyzmpeg audio bitrate wait",
                          "status xyzmpeg bitrate wait",
                          "status xyzmpeg video bitrate wait",
                          "status xyzmpeg nominal frame rate wait",
                          "set xyzmpeg time format milliseconds wait",
                          "status xyzmpeg length wait",
                          "status xyzmpeg window handle wait",
                          "where xyzmpeg source wait",
                          "play xyzmpeg repeat",
                          "setaudio xyzmpeg left on wait",
                          "setaudio xyzmpeg right on wait",
                          "setaudio xyzmpeg volume to 1000 wait",
                          "setaudio xyzmpeg left on wait",
                          "setaudio xyzmpeg right on wait",
                          "signal xyzmpeg return position every 1000",
                      }));
    EXPECT_EQ(state.video_window, video);
    EXPECT_EQ(state.video_width, 352);
    EXPECT_EQ(state.video_height, 240);
    EXPECT_EQ(state.stream_info.source_width, 352);
    EXPECT_EQ(state.stream_info.source_height, 240);
    EXPECT_EQ(state.video_x, (640 - 352) / 2);
    EXPECT_EQ(state.video_y, (480 - 240) / 2 + bitmaps.panel_height / 2);
    const QRect main{(640 - bitmaps.panel_width) / 2, (480 - bitmaps.panel_height - 14 - 240) / 2,
                     bitmaps.panel_width, bitmaps.panel_height + 240 + 15};
    EXPECT_EQ(placement(player::windows.main_window), main);
    EXPECT_EQ(placement(video), QRect(state.video_x, state.video_y + 1, 352, 240));
    EXPECT_TRUE(state.playing);
    EXPECT_EQ(state.length_ms, 90000);
    EXPECT_EQ(state.position_ms, 0);
    EXPECT_EQ(state.mark_begin_ms, 0);
    EXPECT_EQ(state.mark_end_ms, 0);
    EXPECT_EQ(beeps(), 0u);
    // Every command after the closing of the (not yet open) alias is one the device accepts.
    const Strings results = sent_with_results();
    for (auto line = results.begin() + 1; line != results.end(); ++line)
        EXPECT_TRUE(line->ends_with(" -> 0")) << *line;
}

TEST_F(DeviceHandling, a_sound_only_file_leaves_a_panel_only_window_and_does_not_play) {
    answer("status xyzmpeg window handle wait", 0, "4242");
    answer("where xyzmpeg source wait", 0, "0 0 0 0");
    ASSERT_TRUE(open("C:\\CLIPS\\SONG.MPG"));
    EXPECT_EQ(state.video_window, nullptr);
    EXPECT_FALSE(state.playing);
    const QRect panel_only{(640 - bitmaps.panel_width) / 2, (480 - bitmaps.panel_height) / 2,
                           bitmaps.panel_width, bitmaps.panel_height};
    EXPECT_EQ(placement(player::windows.main_window), panel_only);
    EXPECT_EQ(state.window_x, panel_only.x());
    EXPECT_EQ(state.window_y, panel_only.y());
    const Strings commands = sent();
    EXPECT_EQ(
        std::count_if(commands.begin(), commands.end(), [](auto const& c) { return c.starts_with("play"); }),
        0);
    EXPECT_EQ(commands.back(), "signal xyzmpeg return position every 1000");
}

TEST_F(DeviceHandling, no_window_handle_leaves_the_window_and_does_not_play) {
    const QRect before = placement(player::windows.main_window);
    answer("status xyzmpeg window handle wait", MCIERR_NO_WINDOW);
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    EXPECT_EQ(placement(player::windows.main_window), before);
    EXPECT_FALSE(state.playing);
    EXPECT_EQ(state.video_window, nullptr);
    const Strings commands = sent();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "where xyzmpeg source wait"), 0);
}

TEST_F(DeviceHandling, a_short_source_reply_keeps_the_cleared_fields) {
    const HWND video = make_video_window();
    answer("status xyzmpeg window handle wait", 0, handle_number(video));
    answer("where xyzmpeg source wait", 0, "0 0 320");
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    EXPECT_EQ(state.video_width, 320);
    EXPECT_EQ(state.video_height, 0);
    EXPECT_TRUE(state.playing); // a width: a picture
}

TEST_F(DeviceHandling, the_position_signal_is_asked_for_the_main_window) {
    ASSERT_TRUE(open("C:\\CLIPS\\A.MPG"));
    const Strings lines = sent_with_results();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "signal xyzmpeg return position every 1000 -> 0");
}

} // namespace
