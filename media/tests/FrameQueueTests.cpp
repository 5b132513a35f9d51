// The bounded hand-over of frames to the GUI thread.

#include "media/FrameQueue.h"

#include <gtest/gtest.h>

using namespace media;

namespace {

VideoFrame numbered(int64_t number) {
    VideoFrame frame;
    frame.frame_number = number;
    return frame;
}

} // namespace

TEST(MediaFrameQueue, drops_oldest_when_gui_falls_behind) {
    FrameQueue queue(3);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(queue.push(numbered(i)));
    EXPECT_TRUE(queue.push(numbered(3)));
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.take()->frame_number, 1);
}

TEST(MediaFrameQueue, take_latest_discards_older_frames) {
    FrameQueue queue(3);
    queue.push(numbered(7));
    queue.push(numbered(8));
    EXPECT_EQ(queue.take_latest()->frame_number, 8);
    EXPECT_FALSE(queue.take().has_value());
    EXPECT_FALSE(queue.take_latest().has_value());
}

TEST(MediaFrameQueue, zero_capacity_still_holds_one_frame) {
    FrameQueue queue(0);
    queue.push(numbered(1));
    queue.push(numbered(2));
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.take()->frame_number, 2);
}
