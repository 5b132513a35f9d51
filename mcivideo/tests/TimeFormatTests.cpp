// Positions between media time and MCI units.

#include "TimeFormat.h"

#include <gtest/gtest.h>

using namespace mcivideo;

namespace {

media::MediaInfo rate(std::int64_t frames_per_1000_s) {
    media::MediaInfo info;
    info.nominal_frame_rate = frames_per_1000_s;
    info.length_us = 10'000'000;
    info.length_frames = 10 * frames_per_1000_s / 1000;
    return info;
}

TEST(TimeFormat, every_frame_start_reads_back_as_its_own_frame) {
    for (std::int64_t frames_per_1000_s : {25000, 29970, 23976, 15000, 30000}) {
        media::MediaInfo info = rate(frames_per_1000_s);
        for (std::int64_t frame = 0; frame < 300; ++frame) {
            std::int64_t start = from_units(frame, MCI_FORMAT_FRAMES, info);
            ASSERT_EQ(to_units(start, MCI_FORMAT_FRAMES, info), frame)
                << frames_per_1000_s << " frame " << frame;
            ASSERT_EQ(to_units(start + info.frame_duration_us() - 2, MCI_FORMAT_FRAMES, info), frame)
                << "the frame stays until the next starts";
        }
    }
}

TEST(TimeFormat, milliseconds_truncate_and_lengths_follow_the_format) {
    media::MediaInfo info = rate(25000);
    EXPECT_EQ(to_units(1'999'999, MCI_FORMAT_MILLISECONDS, info), 1999);
    EXPECT_EQ(from_units(1500, MCI_FORMAT_MILLISECONDS, info), 1'500'000);
    EXPECT_EQ(length_units(MCI_FORMAT_MILLISECONDS, info), 10000);
    EXPECT_EQ(length_units(MCI_FORMAT_FRAMES, info), 250);
    EXPECT_TRUE(is_supported_time_format(MCI_FORMAT_FRAMES));
    EXPECT_FALSE(is_supported_time_format(MCI_FORMAT_HMS));
}

} // namespace
