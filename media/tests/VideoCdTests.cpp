// VideoCD tracks: RIFF CDXA `.DAT` files and raw `.cue`/`.bin` images, read through the engine's
// own sector stripping.

#include "MediaFixtures.h"
#include "ReferenceDecoder.h"
#include "TestSupport.h"

extern "C" {
#include <libavutil/log.h>
}

#include <atomic>
#include <filesystem>

using namespace media;
using namespace media::test;

namespace {

std::atomic<int> logged_errors{0};

void count_errors(void*, int level, const char*, va_list) {
    if (level <= AV_LOG_ERROR)
        ++logged_errors;
}


} // namespace

TEST(MediaVideoCd, dat_payload_decodes_without_a_single_decoder_error) {
    auto dat = vcd_dat();
    ASSERT_FALSE(dat.empty());
    // What plain FFmpeg makes of the same file, for the record.
    std::string ffmpeg_output;
    run_program({"ffmpeg", "-hide_banner", "-v", "error", "-i", dat, "-f", "null", "-"}, &ffmpeg_output);
    RecordProperty("ffmpeg_error_lines",
                   std::to_string(std::count(ffmpeg_output.begin(), ffmpeg_output.end(), '\n')));

    logged_errors = 0;
    av_log_set_callback(count_errors);
    auto movie = open_silent(dat);
    ASSERT_TRUE(movie);
    movie->set_paced(false);
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(movie->wait_play_done(settle));
    av_log_set_callback(av_log_default_callback);
    EXPECT_EQ(movie->decode_errors(), 0);
    EXPECT_EQ(logged_errors.load(), 0);
    EXPECT_EQ(movie->position_frames(), movie->info().length_frames - 1);
}

TEST(MediaVideoCd, dat_frames_equal_those_of_the_mpeg_it_was_made_from) {
    auto movie = open_silent(vcd_dat());
    ASSERT_TRUE(movie);
    expect_frame(*movie, vcd_mpeg(4), 37, 37 * 40 * ms);
    expect_frame(*movie, vcd_mpeg(4), 99, 99 * 40 * ms);
}

TEST(MediaVideoCd, two_track_image_plays_as_one_medium_with_the_tracks_in_order) {
    auto cue = vcd_image(true);
    ASSERT_FALSE(cue.empty());
    auto movie = open_silent(cue);
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->info().track_count, 2);
    EXPECT_NEAR(movie->info().length_ms(), 10000, 40);
    expect_frame(*movie, vcd_mpeg(4), 20, 800 * ms);
    // Two seconds into the second track.
    expect_frame(*movie, vcd_mpeg(6, "testsrc2", 660), 50, 6000 * ms);
}

TEST(MediaVideoCd, play_runs_across_track_change) {
    auto movie = open_silent(vcd_image(true));
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->set_rate(4.0));
    ASSERT_TRUE(movie->play({3000 * ms, 5000 * ms, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_EQ(movie->position_us(), 5000 * ms);
}

TEST(MediaVideoCd, unpaced_play_of_whole_image_reaches_last_frame_of_last_track) {
    auto movie = open_silent(vcd_image(true));
    ASSERT_TRUE(movie);
    movie->set_paced(false);
    ASSERT_TRUE(movie->play({0, std::nullopt, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->position_frames(), 249);
    EXPECT_EQ(movie->decode_errors(), 0);
}

TEST(MediaVideoCd, mounted_disc_folder_plays_its_dat_tracks_as_one_medium) {
    auto folder = vcd_folder();
    ASSERT_FALSE(folder.empty());
    auto movie = open_silent(folder);
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->info().track_count, 2);
    EXPECT_NEAR(movie->info().length_ms(), 10000, 40);
    expect_frame(*movie, vcd_mpeg(6, "testsrc2", 660), 50, 6000 * ms);
}

TEST(MediaVideoCd, folder_without_mpegav_tracks_is_file_not_found) {
    auto folder = vcd_folder();
    ASSERT_FALSE(folder.empty());
    auto movie = Movie::open(folder + "/VCD", silent_options());
    ASSERT_FALSE(movie);
    EXPECT_EQ(movie.error().code, ErrorCode::FileNotFound);
}

TEST(MediaVideoCd, image_opened_by_its_bin_finds_its_cue_sheet) {
    auto cue = vcd_image(true);
    ASSERT_FALSE(cue.empty());
    auto movie = open_silent(std::filesystem::path(cue).replace_extension(".bin").string());
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->info().track_count, 2);
}
