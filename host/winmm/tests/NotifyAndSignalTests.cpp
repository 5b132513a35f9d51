// MM_MCINOTIFY for "notify" and MM_MCISIGNAL for "signal", observed through a recording poster.

#include "RecordingDevice.h"

using namespace mci_test;

namespace {

class NotifyAndSignal : public MciFixture {
  protected:
    void SetUp() override {
        MciFixture::SetUp();
        ASSERT_EQ(send("open TestVideo alias v"), 0u);
        device = m_last_device;
    }

    PostedMessage notify(WPARAM status, MCIDEVICEID id = 1) {
        return {test_window(), MM_MCINOTIFY, status, static_cast<std::intptr_t>(id)};
    }
    PostedMessage signal(std::intptr_t value, MCIDEVICEID id = 1) {
        return {test_window(), MM_MCISIGNAL, id, value};
    }

    RecordingDevice* device = nullptr;
};

TEST_F(NotifyAndSignal, command_that_completes_at_once_notifies_successful_with_the_device_id) {
    EXPECT_EQ(send("status v mode notify", test_window()), 0u);
    EXPECT_EQ(posted(), std::vector<PostedMessage>{notify(MCI_NOTIFY_SUCCESSFUL)});
}

TEST_F(NotifyAndSignal, command_that_fails_posts_nothing) {
    EXPECT_EQ(send("status v bogus notify", test_window()), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(send("status v notify", test_window()), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_TRUE(posted().empty());
}

TEST_F(NotifyAndSignal, without_notify_nothing_is_posted) {
    EXPECT_EQ(send("status v mode", test_window()), 0u);
    EXPECT_TRUE(posted().empty());
}

TEST_F(NotifyAndSignal, play_notifies_when_it_ends_not_when_it_starts) {
    ASSERT_EQ(send("play v notify", test_window()), 0u);
    EXPECT_TRUE(posted().empty());
    device->finish_play();
    EXPECT_EQ(posted(), std::vector<PostedMessage>{notify(MCI_NOTIFY_SUCCESSFUL)});
}

TEST_F(NotifyAndSignal, stop_aborts_a_pending_play_notification) {
    ASSERT_EQ(send("play v notify", test_window()), 0u);
    ASSERT_EQ(send("stop v wait"), 0u);
    EXPECT_EQ(posted(), std::vector<PostedMessage>{notify(MCI_NOTIFY_ABORTED)});
}

TEST_F(NotifyAndSignal, second_play_with_notify_supersedes_the_first) {
    ASSERT_EQ(send("play v notify", test_window()), 0u);
    ASSERT_EQ(send("play v notify", test_window()), 0u);
    device->finish_play();
    EXPECT_EQ(posted(),
              (std::vector<PostedMessage>{notify(MCI_NOTIFY_SUPERSEDED), notify(MCI_NOTIFY_SUCCESSFUL)}));
}

TEST_F(NotifyAndSignal, close_aborts_the_pending_notification_and_notifies_its_own) {
    ASSERT_EQ(send("play v notify", test_window()), 0u);
    ASSERT_EQ(send("close v notify", test_window()), 0u);
    EXPECT_EQ(posted(),
              (std::vector<PostedMessage>{notify(MCI_NOTIFY_ABORTED), notify(MCI_NOTIFY_SUCCESSFUL)}));
}

TEST_F(NotifyAndSignal, open_with_notify_notifies_with_the_new_id) {
    ASSERT_EQ(send("open TestVideo alias w notify", test_window()), 0u);
    EXPECT_EQ(posted(), std::vector<PostedMessage>{notify(MCI_NOTIFY_SUCCESSFUL, 2)});
}

TEST_F(NotifyAndSignal, signal_every_period_posts_the_position_each_time_play_passes_a_point) {
    ASSERT_EQ(send("signal v return position every 1000", test_window()), 0u);
    for (std::int64_t position : {0, 400, 999, 1000, 1500, 3200})
        device->advance(position);
    EXPECT_EQ(posted(), (std::vector<PostedMessage>{signal(0), signal(1000), signal(2000), signal(3000)}));
}

TEST_F(NotifyAndSignal, signal_at_with_uservalue_posts_once) {
    ASSERT_EQ(send("signal v at 500 uservalue 77", test_window()), 0u);
    for (std::int64_t position : {100, 600, 2000})
        device->advance(position);
    EXPECT_EQ(posted(), std::vector<PostedMessage>{signal(77)});
}

TEST_F(NotifyAndSignal, signal_cancel_stops_signals_and_errors_are_reported) {
    ASSERT_EQ(send("signal v every 100 uservalue 1", test_window()), 0u);
    ASSERT_EQ(send("signal v cancel"), 0u);
    device->advance(1000);
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(send("signal v uservalue 3"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(send("signal v every 0"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("signal v at 5 cancel"), MCIERR_FLAGS_NOT_COMPATIBLE);
}

TEST(SignalSchedule, jump_skips_the_points_jumped_over) {
    std::vector<std::intptr_t> values;
    MessagePoster previous = set_message_poster(
        [&](void*, unsigned, std::uintptr_t, std::intptr_t value) { values.push_back(value); });
    Command command;
    command.callback = test_window();
    command.arguments = {{"every", ArgumentType::integer, 1000, {}, {}},
                         {"return position", ArgumentType::none, 0, {}, {}}};
    SignalSchedule schedule;
    ASSERT_EQ(schedule.configure(command, 2500), 0u);
    schedule.advance(3100);
    schedule.jump(0); // a loop back to the start
    schedule.advance(1200);
    schedule.jump(8000);
    schedule.advance(8000);
    set_message_poster(std::move(previous));
    EXPECT_EQ(values, (std::vector<std::intptr_t>{3000, 0, 1000, 8000}));
}

TEST(MessagePoster, messages_to_no_window_or_without_a_poster_are_dropped) {
    int calls = 0;
    MessagePoster previous =
        set_message_poster([&](void*, unsigned, std::uintptr_t, std::intptr_t) { ++calls; });
    post_message(nullptr, MM_MCINOTIFY, 1, 1);
    EXPECT_EQ(calls, 0);
    post_message(test_window(), MM_MCINOTIFY, 1, 1);
    EXPECT_EQ(calls, 1);
    set_message_poster(nullptr);
    post_message(test_window(), MM_MCINOTIFY, 1, 1); // no poster: must not crash
    set_message_poster(std::move(previous));
}

} // namespace
