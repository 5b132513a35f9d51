// Exact seeks and steps: the frame on screen afterwards, checked against an independent decode.

#include "MediaFixtures.h"
#include "ReferenceDecoder.h"
#include "TestSupport.h"

#include <ostream>

using namespace media;
using namespace media::test;

namespace {

constexpr int64_t frame_us = 40000; // every fixture here runs at 25 frames per second

int64_t first_frame_at_or_after(int64_t target_us) {
    return (target_us + frame_us - 1) / frame_us;
}

// The newest frame handed to the GUI must be frame `index` of the reference decode of `reference`.
void expect_shows_frame(Movie& movie, const std::string& reference, int64_t index) {
    auto shown = movie.frames().take_latest();
    ASSERT_TRUE(shown.has_value()) << "no frame handed over";
    EXPECT_EQ(shown->frame_number, index);
    EXPECT_EQ(shown->position_us, index * frame_us);
    auto expected = reference_frame(reference, index);
    ASSERT_TRUE(expected.has_value());
    EXPECT_LT(picture_difference(shown->pixels, expected->bgra), same_picture)
        << "picture is not frame " << index;
}

struct SeekCase {
    const char* name;
    int64_t target_ms;
    friend void PrintTo(const SeekCase& c, std::ostream* os) { *os << c.name; }
};

class MediaExactSeek : public ::testing::TestWithParam<SeekCase> {};

} // namespace

TEST_P(MediaExactSeek, shows_first_frame_at_or_after_target_in_mpeg_stream) {
    auto path = vcd_mpeg();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    int64_t target = GetParam().target_ms * ms;
    ASSERT_TRUE(movie->seek(target));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Stopped);
    int64_t expected = first_frame_at_or_after(target);
    EXPECT_EQ(movie->position_us(), expected * frame_us);
    EXPECT_EQ(movie->position_frames(), expected);
    expect_shows_frame(*movie, path, expected);
}

INSTANTIATE_TEST_SUITE_P(Targets, MediaExactSeek,
                         ::testing::Values(SeekCase{"start", 0}, SeekCase{"on_frame", 1000},
                                           SeekCase{"between_frames", 1021}, SeekCase{"mid_gop", 3333},
                                           SeekCase{"backwards_far", 120}, SeekCase{"near_end", 9950}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MediaExactSeek, later_seek_replaces_one_in_progress) {
    auto path = vcd_mpeg();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek(8000 * ms));
    ASSERT_TRUE(movie->seek(2000 * ms));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_us(), 2000 * ms);
    expect_shows_frame(*movie, path, 50);
}

TEST(MediaExactSeek, seek_beyond_length_is_out_of_range_and_keeps_position) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    auto result = movie->seek(movie->info().length_us + 1);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code, ErrorCode::OutOfRange);
    EXPECT_FALSE(movie->seek(-1));
    EXPECT_EQ(movie->mode(), Mode::Stopped);
    EXPECT_EQ(movie->position_us(), 0);
}

TEST(MediaExactSeek, seek_to_end_shows_last_frame) {
    auto path = vcd_mpeg();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_end());
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_frames(), movie->info().length_frames - 1);
    expect_shows_frame(*movie, path, movie->info().length_frames - 1);
    ASSERT_TRUE(movie->seek_to_start());
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_us(), 0);
}

TEST(MediaExactSeek, seek_to_frame_counts_frames_from_zero) {
    auto path = avi_clip();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_frame(37));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_frames(), 37);
    expect_shows_frame(*movie, path, 37);
}

TEST(MediaStep, steps_forward_and_back_by_frames_from_frame_on_screen) {
    auto path = vcd_mpeg();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_frame(10));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    struct {
        int64_t by, expected;
    } steps[] = {{1, 11}, {5, 16}, {-3, 13}, {1, 14}};
    for (auto step : steps) {
        ASSERT_TRUE(movie->step(step.by));
        ASSERT_TRUE(movie->wait_seek_done(settle));
        EXPECT_EQ(movie->position_frames(), step.expected) << "step by " << step.by;
        EXPECT_EQ(movie->mode(), Mode::Paused);
    }
    expect_shows_frame(*movie, path, 14);
}

TEST(MediaStep, steps_issued_back_to_back_add_up) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(movie->step(1));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_frames(), 4);
}

TEST(MediaStep, step_past_last_frame_stays_on_last_frame) {
    auto movie = open_silent(avi_clip());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->step(1000));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_frames(), movie->info().length_frames - 1);
}

struct KeyCase {
    const char* name;
    std::function<std::string()> make;
    int64_t from_frame;
    int64_t key_frame;
    friend void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }
};

class MediaStepKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MediaStepKey, moves_to_next_key_frame_after_frame_on_screen) {
    auto path = GetParam().make();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_frame(GetParam().from_frame));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    ASSERT_TRUE(movie->step_to_next_key());
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_frames(), GetParam().key_frame);
    expect_shows_frame(*movie, path, GetParam().key_frame);
}

// pal-vcd puts an I picture every 15 frames; the AVI fixture a key frame every 12.
INSTANTIATE_TEST_SUITE_P(Formats, MediaStepKey,
                         ::testing::Values(KeyCase{"mpeg_mid_gop", [] { return vcd_mpeg(); }, 13, 15},
                                           KeyCase{"mpeg_on_key", [] { return vcd_mpeg(); }, 15, 30},
                                           KeyCase{"avi", avi_clip, 13, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MediaExactSeek, mpeg2_program_stream_seeks_to_exact_frame) {
    auto path = dvd_mpeg2();
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek(1010 * ms));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_us(), 26 * frame_us);
    expect_shows_frame(*movie, path, 26);
}

TEST(MediaExactSeek, fli_animation_seeks_by_frame) {
    auto path = flc_animation(12, true);
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->seek_to_frame(7));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->position_us(), 700 * ms);
    auto shown = movie->frames().take_latest();
    ASSERT_TRUE(shown);
    // Frame 7 is palette colour 150 = (150, 105, 75); the FLI palette keeps 6 bits of each.
    auto expected = reference_frame(path, 7);
    ASSERT_TRUE(expected);
    EXPECT_LT(picture_difference(shown->pixels, expected->bgra), same_picture);
    EXPECT_NEAR(shown->pixels[2], 150, 4);
    EXPECT_NEAR(shown->pixels[1], 105, 4);
    EXPECT_NEAR(shown->pixels[0], 75, 4);
}
