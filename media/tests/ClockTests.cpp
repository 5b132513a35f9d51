// The playback clock against a hand-driven time source: no threads, no sleeping.

#include "media/Clock.h"

#include <gtest/gtest.h>

using namespace media;

namespace {

struct FakeTime {
    int64_t now = 1000000;
    PlaybackClock::TimeSource source() {
        return [this] { return now; };
    }
};

} // namespace

TEST(MediaClock, starts_paused_at_zero) {
    FakeTime time;
    PlaybackClock clock(time.source());
    time.now += 500000;
    EXPECT_TRUE(clock.paused());
    EXPECT_EQ(clock.now(), 0);
}

TEST(MediaClock, runs_from_anchor_while_not_paused) {
    FakeTime time;
    PlaybackClock clock(time.source());
    clock.set(2000000);
    clock.set_paused(false);
    time.now += 40000;
    EXPECT_EQ(clock.now(), 2040000);
}

TEST(MediaClock, pause_freezes_and_resume_continues_without_jump) {
    FakeTime time;
    PlaybackClock clock(time.source());
    clock.set_paused(false);
    time.now += 100000;
    clock.set_paused(true);
    time.now += 5000000;
    EXPECT_EQ(clock.now(), 100000);
    clock.set_paused(false);
    time.now += 10000;
    EXPECT_EQ(clock.now(), 110000);
}

TEST(MediaClock, rate_scales_elapsed_time_from_the_moment_it_changes) {
    FakeTime time;
    PlaybackClock clock(time.source());
    clock.set_paused(false);
    time.now += 100000;
    clock.set_rate(2.0);
    time.now += 100000;
    EXPECT_EQ(clock.now(), 300000);
    clock.set_rate(0.5);
    time.now += 100000;
    EXPECT_EQ(clock.now(), 350000);
    clock.set_rate(0.0); // refused
    EXPECT_EQ(clock.rate(), 0.5);
}

TEST(MediaClock, reanchoring_by_audio_replaces_extrapolation) {
    FakeTime time;
    PlaybackClock clock(time.source());
    clock.set_paused(false);
    time.now += 30000;
    clock.set(25000); // the device says it is behind the system clock
    EXPECT_EQ(clock.now(), 25000);
    time.now += 5000;
    EXPECT_EQ(clock.now(), 30000);
}
