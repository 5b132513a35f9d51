// Cutting the open file into new ".mpg" files: the byte offsets, the copy compared byte for byte
// with the source, the progress texts, ESC during the copy, the disc warning, and the failures
// that must leave no output behind.
#include "CaptureFixture.h"
#include "FileSizeLimit.h"

#include "core/CommandDispatch.h"


namespace {

using namespace capture_test;
using player::state;
using Strings = std::vector<std::string>;

constexpr char cut_caption[] = "Cut MPG stream to disk";

class StreamCut : public CaptureFixture {};

struct OffsetCase {
    std::int32_t ms;
    std::int32_t bitrate;
    std::int32_t bytes;
};

class StreamOffsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(StreamOffsets, are_milliseconds_times_bits_per_second_over_8000_truncated) {
    EXPECT_EQ(player::stream_byte_offset(GetParam().ms, GetParam().bitrate), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamOffsets,
                         ::testing::Values(OffsetCase{1000, 1150004, 143750}, OffsetCase{9000, 1150004, 1293754},
                                           OffsetCase{5, 1150004, 718}, OffsetCase{0, 1150004, 0},
                                           OffsetCase{1000, 0, 0},
                                           // Beyond 2 GiB the offset is held at the 32-bit limit.
                                           OffsetCase{2000000000, 1150004, 2147483647},
                                           OffsetCase{-2000000000, 1150004, -2147483647 - 1}));

TEST_F(StreamCut, eight_seconds_from_1000_ms_copy_bytes_143750_to_1293754_in_1123_blocks_and_52_more) {
    const std::string source = make_source(1500000);
    answer("status xyzmpeg position wait", 0, "1000");
    state.stream_info.system_bitrate = 1150004;
    state.playing = true;

    player::dispatch_command(530); // F9

    EXPECT_EQ(state.mark_begin_ms, 1000);
    EXPECT_FALSE(state.playing);
    const Strings commands = sent();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], "stop xyzmpeg wait");
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, cut_caption);
    EXPECT_EQ(responder.message_boxes[0].text,
              "Press ESC to break Cutting\nSaving File: C:\\OUT\\00000001.mpg\nStart: 143750  File Size: 1150004");
    EXPECT_EQ(responder.message_boxes[0].style, static_cast<UINT>(MB_OK));

    const std::string copy = output("00000001.mpg");
    ASSERT_EQ(copy.size(), 1150004u);
    EXPECT_TRUE(copy == source.substr(143750, 1150004)) << "the copy differs from the source's bytes";

    // One progress text per full block, then the final one.
    const Strings& progress = progress_shown();
    ASSERT_EQ(progress.size(), 1123u + 1u);
    EXPECT_EQ(progress.front(), " OUT\\00000001.MPG  0%");
    EXPECT_EQ(progress[1122], " OUT\\00000001.MPG 99%");
    EXPECT_EQ(progress.back(), " OUT\\00000001.MPG 100%");
    EXPECT_TRUE(state.idle);
    EXPECT_EQ(beeps(), 0u);
}

TEST_F(StreamCut, a_stretch_under_1024_bytes_copies_only_the_tail_and_shows_only_the_final_progress) {
    const std::string source = make_source(4096);
    state.stream_info.system_bitrate = 1150004;
    state.mark_begin_ms = 0;
    state.mark_end_ms = 5;
    player::dispatch_command(528); // F12

    EXPECT_EQ(output("00000001.mpg"), source.substr(0, 718));
    EXPECT_EQ(progress_shown(), Strings{" OUT\\00000001.MPG 100%"});
}

// Presses ESC while the cut's box is up, as a user would just before the copy starts.
class EscapeAtTheCutBox : public host::RecordingDialogResponder {
  public:
    int message_box(host::MessageBoxRequest const& request) override {
        if (request.caption == cut_caption)
            press_escape();
        return RecordingDialogResponder::message_box(request);
    }
};

TEST_F(StreamCut, escape_stops_the_blocks_but_the_tail_is_still_copied_and_the_player_stays) {
    const std::string source = make_source(1500000);
    answer("status xyzmpeg position wait", 0, "1000");
    state.stream_info.system_bitrate = 1150004;
    EscapeAtTheCutBox escape;
    host::ScopedDialogResponder scoped(escape);

    player::cut_eight_seconds();

    const std::string copy = output("00000001.mpg");
    ASSERT_LT(copy.size(), 1150004u) << "ESC did not break the copy";
    // Whole blocks up to the break, then the 52 bytes of the tail from where the copy stood.
    EXPECT_EQ(copy.size() % 1024, 52u);
    EXPECT_TRUE(copy == source.substr(143750, copy.size()));
    ASSERT_FALSE(progress_shown().empty());
    EXPECT_EQ(progress_shown().back(), " OUT\\00000001.MPG 100%");
    EXPECT_TRUE(state.idle);
    EXPECT_FALSE(state.exit_requested);
}

TEST_F(StreamCut, a_disc_device_gets_the_warning_and_nothing_is_written) {
    state.file_mode = false;
    answer("status xyzmpeg position wait", 0, "2500");
    state.stream_info.system_bitrate = 1150004;
    player::dispatch_command(530);

    EXPECT_EQ(sent().front(), "stop xyzmpeg wait");
    EXPECT_EQ(state.mark_begin_ms, 2500);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "warning");
    EXPECT_EQ(responder.message_boxes[0].text, "Using Ctrl+O to open file !!!");
    EXPECT_EQ(responder.message_boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(output_files().empty());
    EXPECT_EQ(state.output_counter, 0);
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, an_end_at_or_before_the_begin_beeps_and_writes_nothing) {
    make_source(4096);
    state.stream_info.system_bitrate = 1150004;
    for (auto [begin, end] : {std::pair{3000, 3000}, std::pair{3000, 1000}}) {
        state.mark_begin_ms = begin;
        state.mark_end_ms = end;
        player::cut_marked_range();
    }
    EXPECT_EQ(beeps(), 2u);
    EXPECT_TRUE(responder.message_boxes.empty());
    EXPECT_TRUE(output_files().empty());
    EXPECT_EQ(state.output_counter, 0);
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, offsets_past_the_end_of_the_source_copy_only_what_exists) {
    const std::string source = make_source(2000);
    state.stream_info.system_bitrate = 8000; // a byte a millisecond
    player::cut_stream(1500, 9500);
    EXPECT_EQ(output("00000001.mpg"), source.substr(1500));
    player::cut_stream(5000, 6000);
    EXPECT_EQ(output("00000002.mpg"), "");
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, a_source_that_cannot_be_opened_is_named_and_nothing_is_written) {
    player::copy_text(state.current_path, sizeof state.current_path, "C:\\CLIPS\\GONE.MPG");
    state.stream_info.system_bitrate = 1150004;
    player::cut_stream(0, 8000);
    EXPECT_EQ(beeps(), 1u);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_NE(responder.message_boxes[0].text.find("C:\\CLIPS\\GONE.MPG"), std::string::npos);
    EXPECT_TRUE(output_files().empty());
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, an_output_folder_that_cannot_take_the_file_is_named_and_nothing_is_written) {
    make_source(4096);
    state.stream_info.system_bitrate = 1150004;
    player::copy_text(state.output_folder, sizeof state.output_folder, "C:\\MISSING\\");
    player::cut_stream(0, 10);
    EXPECT_EQ(beeps(), 1u);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_NE(responder.message_boxes[0].text.find("C:\\MISSING\\00000001.mpg"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(prefix.host("C:\\MISSING")));
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, a_write_that_fails_stops_the_copy_removes_the_partial_file_and_says_so) {
    make_source(1500000);
    state.stream_info.system_bitrate = 1150004;
    {
        FileSizeLimit limit(10 * 1024 + 100);
        player::cut_stream(1000, 9000);
    }
    EXPECT_TRUE(output_files().empty());
    ASSERT_EQ(responder.message_boxes.size(), 2u); // the box before the copy, then the failure
    EXPECT_NE(responder.message_boxes[1].text.find("cannot write"), std::string::npos);
    EXPECT_NE(responder.message_boxes[1].text.find("C:\\OUT\\00000001.mpg"), std::string::npos);
    EXPECT_EQ(beeps(), 1u);
    // The copy stopped with the first blocks whose bytes were passed on (a quarter MiB), not
    // at the end of the stretch.
    EXPECT_LE(progress_shown().size(), 256u);
    EXPECT_TRUE(state.idle);
}

// A short cut whose every block is taken but whose bytes do not all reach the disk as the output
// is closed: a failure as any other, not a finished file.
TEST_F(StreamCut, a_write_that_fails_as_the_output_is_closed_fails_the_cut) {
    make_source(1500000);
    state.stream_info.system_bitrate = 1150004;
    {
        FileSizeLimit limit(10 * 1024 + 100);
        player::cut_stream(1000, 1100); // 14 375 bytes
    }
    EXPECT_TRUE(output_files().empty());
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    EXPECT_NE(responder.message_boxes[1].text.find("cannot write"), std::string::npos);
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(state.idle);
}

TEST_F(StreamCut, a_read_that_fails_stops_the_copy_removes_the_partial_file_and_says_so) {
    // The process's own memory file fails every read at an address that is not mapped.
    player::copy_text(state.current_path, sizeof state.current_path, "Z:\\PROC\\SELF\\MEM");
    state.stream_info.system_bitrate = 1150004;
    player::cut_stream(0, 1000);
    EXPECT_TRUE(output_files().empty());
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    EXPECT_NE(responder.message_boxes[1].text.find("cannot read"), std::string::npos);
    EXPECT_NE(responder.message_boxes[1].text.find("Z:\\PROC\\SELF\\MEM"), std::string::npos);
    EXPECT_EQ(beeps(), 1u);
    EXPECT_TRUE(state.idle);
}

} // namespace
