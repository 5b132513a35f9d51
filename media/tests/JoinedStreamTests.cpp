// MPEG program streams joined end to end (`cat a.mpg b.mpg`, as many files and VideoCD tracks
// are made), each part with its clock starting again: one medium of one track whose length,
// seeks and play cover every part.

#include "InputSource.h"
#include "MediaFixtures.h"
#include "ReferenceDecoder.h"
#include "TestSupport.h"

#include <filesystem>

using namespace media;
using namespace media::test;

TEST(MediaJoinedStream, the_clock_resets_are_found_where_each_part_begins) {
    auto path = joined_vcd_mpeg();
    ASSERT_FALSE(path.empty());
    const auto first = std::filesystem::file_size(vcd_mpeg(4));
    const auto second = std::filesystem::file_size(vcd_mpeg(6, "testsrc2", 660));
    EXPECT_EQ(clock_resets(SegmentSource{path}),
              (std::vector<int64_t>{int64_t(first), int64_t(first + second)}));
    EXPECT_TRUE(clock_resets(SegmentSource{vcd_mpeg(30)}).empty()) << "one stream has no reset";
    EXPECT_TRUE(clock_resets(SegmentSource{avi_clip()}).empty()) << "not a program stream";
}

TEST(MediaJoinedStream, length_and_seeks_cover_every_part) {
    auto path = joined_vcd_mpeg();
    ASSERT_FALSE(path.empty());
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->info().track_count, 1);
    EXPECT_NEAR(movie->info().length_ms(), 14000, 40);
    expect_frame(*movie, vcd_mpeg(4), 20, 800 * ms);
    expect_frame(*movie, vcd_mpeg(6, "testsrc2", 660), 50, 6000 * ms); // 2 s into the second part
    expect_frame(*movie, vcd_mpeg(4), 75, 13000 * ms);                 // 3 s into the third
}

TEST(MediaJoinedStream, play_runs_across_the_resets_to_the_last_frame) {
    auto movie = open_silent(joined_vcd_mpeg());
    ASSERT_TRUE(movie);
    movie->set_paced(false);
    ASSERT_TRUE(movie->play({0, std::nullopt, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_EQ(movie->position_frames(), 349);
    EXPECT_EQ(movie->decode_errors(), 0);
}
