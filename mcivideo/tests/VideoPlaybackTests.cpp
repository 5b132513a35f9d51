// Play, seek and step through mciSendStringA, with notifications and position signals reaching
// a callback window through the message queue.

#include "VideoTestSupport.h"

using namespace video_test;
using namespace std::chrono_literals;

namespace {

class Playback : public VideoDeviceTest {
  protected:
    void open_clip(Clip clip = Clip::Mpeg1, const char* type = "MPEGVideo") {
        std::string path = install(clip, "CLIP01.DAT");
        ASSERT_EQ(send("open " + path + " type " + type + " alias xyzmpeg wait"), 0u);
        id = static_cast<WPARAM>(std::stoul(reply));
    }
    WPARAM id = 0;
};

TEST_F(Playback, play_wait_ends_stopped_at_the_end_in_either_time_format) {
    open_clip();
    ASSERT_EQ(send("play xyzmpeg wait"), 0u);
    EXPECT_EQ(send("status xyzmpeg mode"), 0u);
    EXPECT_EQ(reply, "stopped");
    EXPECT_EQ(number("status xyzmpeg position"), number("status xyzmpeg length"));
    ASSERT_EQ(send("set xyzmpeg time format frames"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 50);
    EXPECT_EQ(send("stop xyzmpeg wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 50) << "stop is not a rewind";
}

TEST_F(Playback, play_from_to_wait_stops_at_the_end_point) {
    open_clip();
    ASSERT_EQ(send("set xyzmpeg time format frames"), 0u);
    ASSERT_EQ(send("play xyzmpeg from 10 to 20 wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 20);
    EXPECT_EQ(send("status xyzmpeg mode"), 0u);
    EXPECT_EQ(reply, "stopped");
}

// A play without `from` starts where the medium rests: at the end point of the play before, or
// at the frame a stop left on screen; only a play that ran to the medium's end starts over.
TEST_F(Playback, a_play_after_a_range_goes_on_from_where_the_range_ended) {
    open_clip();
    ASSERT_EQ(send("set xyzmpeg time format milliseconds wait"), 0u);
    ASSERT_EQ(send("play xyzmpeg from 400 to 1200 wait"), 0u);
    ASSERT_EQ(number("status xyzmpeg position"), 1200);
    ASSERT_EQ(send("play xyzmpeg repeat"), 0u);
    const long long started = number("status xyzmpeg position wait");
    EXPECT_GE(started, 1160) << "the play starts at the end point, not at 0";
    EXPECT_EQ(send("status xyzmpeg mode wait"), 0u);
    EXPECT_EQ(reply, "playing");
    ASSERT_EQ(send("stop xyzmpeg wait"), 0u);
    EXPECT_EQ(send("status xyzmpeg mode wait"), 0u);
    EXPECT_EQ(reply, "stopped");
    const long long stopped = number("status xyzmpeg position wait");
    EXPECT_GE(stopped, 1160);
    ASSERT_EQ(send("play xyzmpeg"), 0u);
    EXPECT_GE(number("status xyzmpeg position wait"), stopped - 40) << "play goes on from the stop";
    ASSERT_EQ(send("stop xyzmpeg wait"), 0u);

    ASSERT_EQ(send("play xyzmpeg wait"), 0u);
    ASSERT_EQ(number("status xyzmpeg position"), number("status xyzmpeg length"));
    ASSERT_EQ(send("play xyzmpeg repeat"), 0u);
    EXPECT_LT(number("status xyzmpeg position wait"), 1000) << "repeating at the end starts over";
    ASSERT_EQ(send("stop xyzmpeg wait"), 0u);
}

TEST_F(Playback, seek_then_position_answers_the_target) {
    open_clip();
    struct Row {
        const char* format;
        const char* seek;
        long long position;
    };
    const Row rows[] = {
        {"milliseconds", "seek xyzmpeg to 1000 wait", 1000},
        {"milliseconds", "seek xyzmpeg to 520 wait", 520},
        {"milliseconds", "seek xyzmpeg to start wait", 0},
        {"frames", "seek xyzmpeg to 13 wait", 13},
        {"frames", "seek xyzmpeg to 49 wait", 49},
        {"frames", "seek xyzmpeg to 0", 0},
        {"frames", "seek xyzmpeg to end wait", 50},
        {"ms", "seek xyzmpeg to 1960 wait", 1960},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.seek);
        ASSERT_EQ(send(std::string("set xyzmpeg time format ") + row.format + " wait"), 0u);
        ASSERT_EQ(send(row.seek), 0u);
        EXPECT_EQ(number("status xyzmpeg position wait"), row.position);
        EXPECT_EQ(send("status xyzmpeg mode"), 0u);
        EXPECT_EQ(reply, "stopped");
    }
    ASSERT_EQ(send("set xyzmpeg time format ms"), 0u);
    ASSERT_EQ(send("seek xyzmpeg to end wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), number("status xyzmpeg length"));
}

TEST_F(Playback, step_moves_by_frames_forward_and_back) {
    open_clip(Clip::Avi, "avivideo");
    ASSERT_EQ(send("seek xyzmpeg to 10 wait"), 0u);
    ASSERT_EQ(send("step xyzmpeg by 5 wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 15);
    ASSERT_EQ(send("step xyzmpeg wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 16);
    ASSERT_EQ(send("step xyzmpeg by 3 reverse wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 13);
    ASSERT_EQ(send("step xyzmpeg by 1 key wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 24) << "the next key frame (one every 12)";
    EXPECT_EQ(send("step xyzmpeg by -1"), MCIERR_OUTOFRANGE);
}

TEST_F(Playback, play_notify_posts_successful_at_the_end) {
    CallbackWindow callback;
    open_clip(Clip::Red);
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    EXPECT_TRUE(callback.messages(MM_MCINOTIFY).empty()) << "the play is still running";
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    std::vector<Message> notes = callback.messages(MM_MCINOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].wparam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(notes[0].lparam, static_cast<LPARAM>(id));
}

TEST_F(Playback, play_wait_notify_posts_successful_once_it_returns) {
    CallbackWindow callback;
    open_clip(Clip::Red);
    ASSERT_EQ(send("play xyzmpeg wait notify", callback.handle()), 0u);
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    EXPECT_EQ(callback.messages(MM_MCINOTIFY)[0].wparam, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(Playback, stop_aborts_and_a_new_play_notify_supersedes_the_pending_one) {
    CallbackWindow callback;
    open_clip();
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    ASSERT_EQ(send("stop xyzmpeg wait"), 0u);
    ASSERT_TRUE(pump_until([&] { return callback.messages(MM_MCINOTIFY).size() >= 2; }));
    std::vector<Message> notes = callback.messages(MM_MCINOTIFY);
    EXPECT_EQ(notes[0].wparam, MCI_NOTIFY_SUPERSEDED);
    EXPECT_EQ(notes[1].wparam, MCI_NOTIFY_ABORTED);
}

TEST_F(Playback, pause_keeps_the_notification_for_the_end_after_resume) {
    CallbackWindow callback;
    open_clip(Clip::Red);
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    ASSERT_EQ(send("pause xyzmpeg"), 0u);
    EXPECT_EQ(send("status xyzmpeg mode"), 0u);
    EXPECT_EQ(reply, "paused");
    EXPECT_EQ(send("status xyzmpeg pause mode"), 0u);
    EXPECT_EQ(reply, "playing");
    pump_for(200ms);
    EXPECT_TRUE(callback.messages(MM_MCINOTIFY).empty());
    ASSERT_EQ(send("resume xyzmpeg"), 0u);
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    EXPECT_EQ(callback.messages(MM_MCINOTIFY)[0].wparam, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(Playback, position_signals_arrive_every_period_while_playing) {
    CallbackWindow callback;
    open_clip();
    ASSERT_EQ(send("signal xyzmpeg return position every 500", callback.handle()), 0u);
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    std::vector<Message> signals = callback.messages(MM_MCISIGNAL);
    std::vector<LPARAM> points;
    for (const Message& message : signals) {
        EXPECT_EQ(message.wparam, id);
        points.push_back(message.lparam);
    }
    std::vector<LPARAM> expected;
    for (LPARAM point = 0; point <= number("status xyzmpeg length"); point += 500)
        expected.push_back(point);
    EXPECT_EQ(points, expected) << "every point of a 2 s clip, once, in order, before the notification";
}

TEST_F(Playback, signals_follow_a_looping_play_and_stop_with_cancel) {
    CallbackWindow callback;
    open_clip(Clip::Red);
    ASSERT_EQ(send("signal xyzmpeg at 500 every 10000 uservalue 77", callback.handle()), 0u);
    ASSERT_EQ(send("play xyzmpeg repeat"), 0u);
    ASSERT_TRUE(pump_until([&] { return callback.messages(MM_MCISIGNAL).size() >= 2; }))
        << "the 1 s clip passes 500 ms once per loop";
    for (const Message& message : callback.messages(MM_MCISIGNAL))
        EXPECT_EQ(message.lparam, 77);
    ASSERT_EQ(send("signal xyzmpeg cancel"), 0u);
    std::size_t count = callback.messages(MM_MCISIGNAL).size();
    pump_for(1500ms);
    EXPECT_EQ(callback.messages(MM_MCISIGNAL).size(), count);
    EXPECT_EQ(send("status xyzmpeg mode"), 0u);
    EXPECT_EQ(reply, "playing") << "repeat loops until stopped";
}

TEST_F(Playback, close_during_play_aborts_its_notification) {
    CallbackWindow callback;
    open_clip();
    ASSERT_EQ(send("play xyzmpeg notify", callback.handle()), 0u);
    ASSERT_EQ(send("close xyzmpeg"), 0u);
    ASSERT_TRUE(pump_until([&] { return !callback.messages(MM_MCINOTIFY).empty(); }));
    EXPECT_EQ(callback.messages(MM_MCINOTIFY)[0].wparam, MCI_NOTIFY_ABORTED);
}

TEST_F(Playback, capture_writes_the_frame_on_screen_as_bmp) {
    open_clip(Clip::Red);
    ASSERT_EQ(send("capture xyzmpeg as C:\\CLIPS\\SHOT0001.BMP wait"), 0u);
    std::string bytes = prefix.read("C:\\CLIPS\\SHOT0001.BMP");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(send("capture xyzmpeg"), MCIERR_MISSING_PARAMETER);
}

} // namespace
