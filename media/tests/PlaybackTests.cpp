// Play, pause, resume, ranges, loops, rate and the mode the engine reports along the way.

#include "MediaFixtures.h"
#include "TestSupport.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using namespace media;
using namespace media::test;
using namespace std::chrono_literals;

namespace {

// Records what the engine posts; the callback only appends under a lock (and wakes a waiting
// test), as an owner would post.
struct EventLog {
    std::mutex mutex;
    std::condition_variable posted;
    std::vector<Event> events;
    EventCallback callback() {
        return [this](const Event& event) {
            std::lock_guard lock(mutex);
            events.push_back(event);
            posted.notify_all();
        };
    }
    int count(EventKind kind) {
        std::lock_guard lock(mutex);
        return count_locked(kind);
    }
    // Waits until `kind` was posted `n` times; false when the safety timeout passed first.
    bool wait_for(EventKind kind, int n) {
        std::unique_lock lock(mutex);
        return posted.wait_for(lock, settle, [&] { return count_locked(kind) >= n; });
    }

  private:
    int count_locked(EventKind kind) const {
        int n = 0;
        for (const auto& event : events)
            n += event.kind == kind;
        return n;
    }
};

// Waits until play has moved the frame on screen past `position_us` (asking every few
// milliseconds: the position only grows while playing); false when the safety timeout passed first.
bool wait_past(Movie& movie, int64_t position_us) {
    auto deadline = std::chrono::steady_clock::now() + settle;
    while (movie.position_us() <= position_us) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

} // namespace

TEST(MediaPlay, range_play_ends_on_last_frame_of_range_and_reports_end) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    EventLog log;
    movie->set_event_callback(log.callback());
    ASSERT_TRUE(movie->play({1000 * ms, 1400 * ms, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_EQ(mode_name(movie->mode()), "stopped");
    EXPECT_EQ(movie->position_us(), 1400 * ms);
    EXPECT_EQ(log.count(EventKind::ReachedEnd), 1);
    EXPECT_GE(log.count(EventKind::FrameReady), 5);
}

TEST(MediaPlay, play_to_end_of_medium_stops_on_last_frame) {
    auto movie = open_silent(flc_animation(10));
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_EQ(movie->position_frames(), 9);
    // Playing again at the end ends again at once.
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->position_frames(), 9);
    // So does a play after a stop at the end.
    ASSERT_TRUE(movie->stop());
    EXPECT_EQ(movie->mode(), Mode::Stopped);
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_EQ(movie->position_frames(), 9);
}

TEST(MediaPlay, range_outside_medium_is_refused) {
    auto movie = open_silent(flc_animation(10));
    ASSERT_TRUE(movie);
    EXPECT_FALSE(movie->play({2000 * ms, std::nullopt, false}));
    EXPECT_FALSE(movie->play({500 * ms, 100 * ms, false}));
    EXPECT_EQ(movie->mode(), Mode::Stopped);
    // Without a start, play begins on the frame on screen: an end before it is refused.
    ASSERT_TRUE(movie->seek(500 * ms));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_FALSE(movie->play({std::nullopt, 300 * ms, false}));
    EXPECT_EQ(movie->mode(), Mode::Stopped);
}

TEST(MediaPlay, repeat_loops_back_to_start_until_stopped) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    EventLog log;
    movie->set_event_callback(log.callback());
    ASSERT_TRUE(movie->play({0, 200 * ms, true}));
    EXPECT_TRUE(log.wait_for(EventKind::Looped, 3));
    EXPECT_GE(log.count(EventKind::Looped), 3);
    EXPECT_EQ(log.count(EventKind::ReachedEnd), 0);
    EXPECT_NE(movie->mode(), Mode::Ended);
    EXPECT_LE(movie->position_us(), 200 * ms);
    ASSERT_TRUE(movie->stop());
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Stopped);
}

// "play from A to B wait" then "play repeat": the loop starts from the beginning, and a stop ends
// it, with sound (the SDL device, dummy under CTest) and without.
TEST(MediaPlay, repeat_after_a_finished_range_play_loops_until_stopped) {
    for (bool with_sound : {true, false}) {
        SCOPED_TRACE(with_sound ? "with sound" : "without sound");
        auto opened = Movie::open(avi_clip(), with_sound ? OpenOptions{} : silent_options());
        ASSERT_TRUE(opened) << opened.error().message;
        auto& movie = **opened;
        ASSERT_TRUE(movie.play({1000 * ms, 3000 * ms, false}));
        ASSERT_TRUE(movie.wait_play_done(settle));
        EXPECT_EQ(movie.mode(), Mode::Ended);
        // The device is playing from the moment the play is asked, and stopped from the stop.
        ASSERT_TRUE(movie.play({std::nullopt, std::nullopt, true}));
        EXPECT_EQ(movie.mode(), Mode::Playing);
        ASSERT_TRUE(movie.stop());
        EXPECT_EQ(movie.mode(), Mode::Stopped);
        ASSERT_TRUE(movie.wait_seek_done(settle));
        EXPECT_EQ(movie.mode(), Mode::Stopped);
        // Once it has got going the loop runs until stopped.
        ASSERT_TRUE(movie.play({std::nullopt, std::nullopt, true}));
        ASSERT_TRUE(movie.wait_seek_done(settle));
        EXPECT_EQ(movie.mode(), Mode::Playing);
        ASSERT_TRUE(movie.stop());
        EXPECT_EQ(movie.mode(), Mode::Stopped);
    }
}

// Right after a play from a position starts, the position is where it starts, not where the
// medium rested before.
TEST(MediaPlay, position_right_after_play_from_is_its_start) {
    auto movie = open_silent(avi_clip());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->play({2000 * ms, std::nullopt, false}));
    EXPECT_EQ(movie->position_us(), 2000 * ms);
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_GE(movie->position_us(), 2000 * ms);
    ASSERT_TRUE(movie->play({1000 * ms, std::nullopt, false}));
    EXPECT_EQ(movie->position_us(), 1000 * ms);
}

TEST(MediaPlay, pause_holds_position_and_resume_continues) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->play());
    ASSERT_TRUE(wait_past(*movie, 0)) << "play shows the frames after the first";
    ASSERT_TRUE(movie->pause());
    EXPECT_EQ(movie->mode(), Mode::Paused);
    // A frame already on its way to the screen may still land; the engine tells nothing when
    // it has, so it is given a moment.
    std::this_thread::sleep_for(50ms);
    auto paused_at = movie->position_us();
    EXPECT_GT(paused_at, 0);
    std::this_thread::sleep_for(300ms); // nothing may move meanwhile
    EXPECT_EQ(movie->position_us(), paused_at);
    ASSERT_TRUE(movie->resume());
    EXPECT_EQ(movie->mode(), Mode::Playing);
    EXPECT_TRUE(wait_past(*movie, paused_at)) << "resume continues from the paused frame";
    EXPECT_GT(movie->position_us(), paused_at);
    ASSERT_TRUE(movie->stop());
    std::this_thread::sleep_for(50ms); // as after the pause: a frame on its way may still land
    auto stopped_at = movie->position_us();
    std::this_thread::sleep_for(200ms); // nothing may move meanwhile
    EXPECT_EQ(movie->position_us(), stopped_at) << "stop is not a rewind, and nothing moves after it";
}

TEST(MediaPlay, mode_follows_transport_commands) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->mode(), Mode::Stopped);
    auto resumed = movie->resume();
    ASSERT_FALSE(resumed);
    EXPECT_EQ(resumed.error().code, ErrorCode::NotApplicable);
    struct {
        std::function<Status(Movie&)> command;
        Mode expected;
    } sequence[] = {
        {[](Movie& m) { return m.play(); }, Mode::Playing},
        {[](Movie& m) { return m.pause(); }, Mode::Paused},
        {[](Movie& m) { return m.resume(); }, Mode::Playing},
        {[](Movie& m) { return m.stop(); }, Mode::Stopped},
        {[](Movie& m) { return m.pause(); }, Mode::Stopped},
        {[](Movie& m) { return m.step(1); }, Mode::Paused},
        {[](Movie& m) { return m.seek(500 * ms); }, Mode::Stopped},
    };
    for (auto& step : sequence) {
        ASSERT_TRUE(step.command(*movie));
        movie->wait_seek_done(settle);
        EXPECT_EQ(movie->mode(), step.expected);
    }
}

TEST(MediaPlay, play_from_position_starts_there) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->play({5000 * ms, std::nullopt, false}));
    ASSERT_TRUE(movie->wait_seek_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Playing);
    EXPECT_GE(movie->position_us(), 5000 * ms);
    EXPECT_LT(movie->position_us(), 6000 * ms);
}

TEST(MediaPlay, unpaced_play_runs_faster_than_real_time) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    movie->set_paced(false);
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(movie->play({0, std::nullopt, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(movie->position_frames(), movie->info().length_frames - 1);
    // Ten seconds of VideoCD decode in a small fraction of that; half is a generous bound.
    EXPECT_LT(elapsed, 5s);
}

TEST(MediaPlay, fast_rate_advances_position_faster_than_normal) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    ASSERT_TRUE(movie->set_rate(4.0));
    EXPECT_FALSE(movie->set_rate(0.0));
    EXPECT_EQ(movie->rate(), 4.0);
    ASSERT_TRUE(movie->play({0, 2000 * ms, false}));
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(movie->wait_play_done(settle));
    // Two seconds of medium at four times the speed: well under the two seconds of normal play.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1900ms);
    EXPECT_EQ(movie->position_us(), 2000 * ms);
}

TEST(MediaPlay, frames_follow_target_size) {
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    auto frame = frame_at_size(*movie, 176, 144, 1000 * ms);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 176);
    EXPECT_EQ(frame->height, 144);
    EXPECT_EQ(frame->pixels.size(), size_t(176 * 144 * 4));
}

// The owner of the pictures may lend the memory they are scaled into, and gets it back when the
// last holder of the frame lets go; a source with none to give (nothing, or too little for the
// picture) leaves the engine on heap memory.
TEST(MediaPlay, frames_are_scaled_into_memory_the_pixel_source_lends) {
    constexpr size_t picture_size = 176 * 144 * 4;
    struct Lender {
        std::mutex mutex;
        std::vector<std::unique_ptr<uint8_t[]>> blocks;
        std::atomic<int> outstanding{0};
        bool lent(const uint8_t* data) {
            std::lock_guard lock(mutex);
            return std::any_of(blocks.begin(), blocks.end(), [data](auto const& block) { return block.get() == data; });
        }
    };
    const struct {
        const char* name;
        size_t lends; // bytes lent for a picture of picture_size; 0 lends nothing
        bool lent_memory_used;
    } cases[] = {
        {"enough", picture_size, true},
        {"nothing", 0, false},
        {"too little", picture_size - 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto lender = std::make_shared<Lender>();
        OpenOptions options = silent_options();
        options.pixel_source = [lender, lends = c.lends](size_t asked) {
            if (asked != picture_size || lends == 0)
                return PixelBuffer(); // the first picture comes at the source's size
            std::lock_guard lock(lender->mutex);
            lender->blocks.push_back(std::make_unique<uint8_t[]>(lends));
            uint8_t* data = lender->blocks.back().get();
            ++lender->outstanding;
            return PixelBuffer(data, lends, std::shared_ptr<void>(data, [lender](void*) { --lender->outstanding; }));
        };
        auto opened = Movie::open(vcd_mpeg(), std::move(options));
        ASSERT_TRUE(opened);
        auto movie = std::move(*opened);
        auto frame = frame_at_size(*movie, 176, 144, 1000 * ms);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->width, 176);
        EXPECT_EQ(lender->lent(frame->pixels.data()), c.lent_memory_used);
        ASSERT_GE(frame->pixels.size(), picture_size);
        const uint8_t* pixels = frame->pixels.data();
        EXPECT_TRUE(std::any_of(pixels, pixels + picture_size, [](uint8_t byte) { return byte != 0; }))
            << "the picture is scaled into the memory the frame carries";
        movie.reset();
        EXPECT_EQ(lender->outstanding.load(), c.lent_memory_used ? 1 : 0) << "only the frame held still holds its memory";
        frame.reset();
        EXPECT_EQ(lender->outstanding.load(), 0);
    }
}

// Asked for a picture larger than any screen, the engine scales within its bound (no side above
// 8192, at most 4096 x 4096 pixels), keeping the aspect of what was asked.
TEST(MediaPlay, huge_target_sizes_are_bounded_keeping_their_aspect) {
    struct {
        int width, height;
        int expected_width, expected_height;
    } cases[] = {
        {23171, 23171, 4096, 4096},                           // 23171^2 * 4 bytes passes 2^31
        {20000, 20000, 4096, 4096},                           // 1.6 GB a frame unbounded
        {16384, 4096, 8192, 2048},                            // a side too long
        {100000, 50, 8192, 4},                                // a sliver keeps at least one pixel of height
        {1, 30000, 1, 8192},        {4096, 4096, 4096, 4096}, // at the bound: as asked
        {1920, 1080, 1920, 1080},
    };
    auto movie = open_silent(vcd_mpeg());
    ASSERT_TRUE(movie);
    for (const auto& c : cases) {
        movie->set_target_size(c.width, c.height);
        ASSERT_TRUE(movie->seek(1000 * ms));
        ASSERT_TRUE(movie->wait_seek_done(settle));
        auto frame = movie->frames().take_latest();
        ASSERT_TRUE(frame) << c.width << "x" << c.height;
        EXPECT_EQ(frame->width, c.expected_width) << c.width << "x" << c.height;
        EXPECT_EQ(frame->height, c.expected_height) << c.width << "x" << c.height;
        EXPECT_EQ(frame->pixels.size(), size_t(frame->stride) * size_t(frame->height));
    }
}

TEST(MediaPlay, audio_only_medium_plays_on_system_clock_without_device) {
    auto path = ffmpeg_fixture(
        "tone.mp2", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2", "-f", "mp2"});
    ASSERT_FALSE(path.empty());
    auto movie = open_silent(path);
    ASSERT_TRUE(movie);
    EXPECT_FALSE(movie->info().has_video);
    EXPECT_TRUE(movie->info().has_audio);
    ASSERT_TRUE(movie->play({1500 * ms, std::nullopt, false}));
    ASSERT_TRUE(movie->wait_play_done(settle));
    EXPECT_EQ(movie->mode(), Mode::Ended);
    EXPECT_FALSE(movie->step(1));
    EXPECT_FALSE(movie->capture_bmp(fixture_folder() + "/none.bmp"));
}
