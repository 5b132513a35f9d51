// Pictures, series of pictures, the marks and the output names against the scripted device: the
// strings sent, the names chosen around files already in the folder, the progress texts, and the
// commands reached through the dispatch.
#include "CaptureFixture.h"

#include "core/CommandDispatch.h"

#include <filesystem>

namespace {

using namespace capture_test;
using player::state;
using Strings = std::vector<std::string>;

class FrameCapture : public CaptureFixture {};

TEST_F(FrameCapture, names_skip_the_files_present_and_pictures_and_cuts_share_the_numbers) {
    player::copy_text(state.output_folder, sizeof state.output_folder, "c:\\");
    prefix.write("C:\\00000001.BMP", "one");
    prefix.write("C:\\00000002.bmp", "two");
    ASSERT_EQ(state.output_counter, 0);

    player::capture_picture();
    EXPECT_EQ(sent(), (Strings{"step xyzmpeg by 1 key wait", "capture xyzmpeg as c:\\00000003.bmp wait"}));
    EXPECT_EQ(progress_shown(), Strings{" C:\\00000003.BMP  99%"});

    make_source(4096);
    state.stream_info.system_bitrate = 8000; // a byte a millisecond
    player::cut_stream(0, 100);
    EXPECT_EQ(prefix.read("C:\\00000004.mpg").size(), 100u);
    EXPECT_EQ(state.output_counter, 4);
    // The files present are left as they were.
    EXPECT_EQ(prefix.read("C:\\00000001.BMP"), "one");
    EXPECT_EQ(prefix.read("C:\\00000002.bmp"), "two");
}

TEST_F(FrameCapture, a_link_planted_under_the_next_name_is_neither_followed_nor_reused) {
    // A dangling link has no attributes, so the name looks free until the file is created.
    std::filesystem::create_symlink(prefix.host("C:\\ELSEWHERE.BMP"), prefix.host("C:\\OUT") / "00000001.bmp");

    player::capture_picture();
    EXPECT_EQ(sent().back(), "capture xyzmpeg as C:\\OUT\\00000002.bmp wait");
    EXPECT_FALSE(std::filesystem::exists(prefix.host("C:\\ELSEWHERE.BMP")));
    EXPECT_EQ(state.output_counter, 2);
}

TEST_F(FrameCapture, a_refused_capture_beeps_leaves_no_file_and_keeps_the_number_used) {
    answer("capture xyzmpeg as C:\\OUT\\00000001.bmp wait", MCIERR_UNSUPPORTED_FUNCTION);
    player::capture_picture();
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(output_files().empty());
    player::capture_picture();
    EXPECT_EQ(sent().back(), "capture xyzmpeg as C:\\OUT\\00000002.bmp wait");
}

TEST_F(FrameCapture, a_folder_that_cannot_take_files_is_named_in_a_box_and_nothing_is_sent) {
    player::copy_text(state.output_folder, sizeof state.output_folder, "C:\\MISSING\\");
    player::capture_picture();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(beeps(), 1u);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_NE(responder.message_boxes[0].text.find("C:\\MISSING\\00000001.bmp"), std::string::npos)
        << responder.message_boxes[0].text;
}

struct ProgressCase {
    char const* path;
    std::int32_t done;
    std::int32_t total;
    char const* text;
};

class ProgressText : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressText, shows_the_path_tail_and_the_truncated_percentage_from_column_17) {
    char text[player::status_text_size];
    player::progress_text(text, GetParam().path, GetParam().done, GetParam().total);
    EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressText,
    ::testing::Values(ProgressCase{"c:\\00000003.bmp", 99, 100, " C:\\00000003.BMP  99%"},
                      ProgressCase{"C:\\MOVIES\\CUTS\\00000012.mpg", 5, 1123, " UTS\\00000012.MPG  0%"},
                      ProgressCase{"C:\\OUT\\00000001.mpg", 1122, 1123, " OUT\\00000001.MPG 99%"},
                      ProgressCase{"C:\\OUT\\00000001.mpg", 100, 100, " OUT\\00000001.MPG 100%"},
                      ProgressCase{"c:\\1.mpg", 0, 3, " C:\\1.MPG          0%"},
                      ProgressCase{"c:\\1.mpg", 2, 3, " C:\\1.MPG         66%"}));

TEST_F(FrameCapture, series_from_0_to_10_s_at_2_s_takes_five_pictures_and_ends_with_a_beep) {
    state.playing = true;
    state.time_step_ms = 2000;
    state.mark_begin_ms = 0;
    state.mark_end_ms = 10000;
    player::capture_series();

    const Strings all = sent();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), "stop xyzmpeg wait");
    Strings passes(all.begin() + 1, all.end());
    Strings expected;
    for (int i = 0; i < 5; ++i) {
        expected.push_back("step xyzmpeg by 1 key wait");
        expected.push_back("capture xyzmpeg as C:\\OUT\\0000000" + std::to_string(i + 1) + ".bmp wait");
        expected.push_back("seek xyzmpeg to " + std::to_string(i * 2000) + " wait");
    }
    EXPECT_EQ(passes, expected);
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(state.idle);
    EXPECT_FALSE(state.playing);
}

TEST_F(FrameCapture, series_with_an_empty_or_reversed_range_only_beeps) {
    for (auto [begin, end] : {std::pair{5000, 5000}, std::pair{6000, 5000}}) {
        state.mark_begin_ms = begin;
        state.mark_end_ms = end;
        player::capture_series();
    }
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(beeps(), 2u);
    EXPECT_TRUE(output_files().empty());
}

TEST_F(FrameCapture, escape_breaks_a_series_after_its_pass_and_a_second_escape_ends_the_player) {
    state.time_step_ms = 1000;
    state.mark_end_ms = 60000;
    press_escape(); // handled by the first pass's message pump
    player::capture_series();

    EXPECT_EQ(output_files(), Strings{"00000001.bmp"});
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(state.idle);
    EXPECT_FALSE(state.exit_requested);

    SendMessageA(player::windows.main_window, WM_COMMAND, player::exit_menu_id, 0);
    EXPECT_TRUE(state.exit_requested);
}

TEST_F(FrameCapture, marks_take_the_position_the_start_or_the_length) {
    answer("status xyzmpeg position wait", 0, "4321");
    state.length_ms = 90000;
    state.mark_begin_ms = state.mark_end_ms = 7;

    player::dispatch_command(521); // F5
    EXPECT_EQ(state.mark_begin_ms, 4321);
    answer("status xyzmpeg position wait", 0, "5432");
    player::dispatch_command(522); // F8
    EXPECT_EQ(state.mark_end_ms, 5432);
    EXPECT_EQ(sent(), (Strings{"set xyzmpeg time format milliseconds wait", "status xyzmpeg position wait",
                               "set xyzmpeg time format milliseconds wait", "status xyzmpeg position wait"}));

    player::dispatch_command(552); // F6
    EXPECT_EQ(state.mark_begin_ms, 0);
    player::dispatch_command(553); // F7
    EXPECT_EQ(state.mark_end_ms, 90000);
}

TEST_F(FrameCapture, without_an_open_medium_the_commands_do_nothing) {
    state.media_open = false;
    state.mark_end_ms = 10000;
    for (WORD id : {529, 549, 521, 522, 552, 553, 528, 530, 561})
        player::dispatch_command(id);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(state.mark_begin_ms, 0);
    EXPECT_EQ(state.mark_end_ms, 10000);
    EXPECT_TRUE(output_files().empty());
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(FrameCapture, f2_captures_and_plays_while_the_panel_button_only_captures) {
    player::dispatch_command(529);
    Strings after_key = sent();
    ASSERT_GE(after_key.size(), 3u);
    EXPECT_EQ(after_key[1], "capture xyzmpeg as C:\\OUT\\00000001.bmp wait");
    EXPECT_EQ(after_key[2], "play xyzmpeg repeat");

    forget_sent();
    DRAWITEMSTRUCT release{};
    release.CtlID = 1008;
    release.itemAction = ODA_SELECT;
    release.itemState = ODS_FOCUS;
    release.hDC = GetDC(player::windows.main_window);
    player::handle_draw_item(release);
    ReleaseDC(player::windows.main_window, release.hDC);
    EXPECT_EQ(sent(), (Strings{"step xyzmpeg by 1 key wait", "capture xyzmpeg as C:\\OUT\\00000002.bmp wait"}));
}

} // namespace
