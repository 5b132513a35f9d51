// Commands to devices that are not open (auto-open), and devices belonging to the thread that
// opened them.

#include "RecordingDevice.h"

#include <thread>

using namespace mci_test;

namespace {

class AutoOpen : public MciFixture {
  protected:
    std::string open_count() {
        char buffer[16] = "";
        mciSendStringA("sysinfo all quantity open", buffer, sizeof buffer, nullptr);
        return buffer;
    }
};

TEST_F(AutoOpen, query_on_a_type_name_opens_runs_and_closes) {
    EXPECT_EQ(send("status testvideo mode wait"), 0u);
    EXPECT_EQ(reply, "stopped");
    EXPECT_EQ(device_log(), (std::vector<std::string>{"open type=TestVideo element=[] alias=TestVideo",
                                                      "status mode [wait]", "close"}));
    EXPECT_EQ(open_count(), "0");
}

TEST_F(AutoOpen, query_on_a_file_finds_the_type_by_extension) {
    EXPECT_EQ(send("capability \"C:\\My Clips\\A.TVX\" has video"), 0u);
    EXPECT_EQ(reply, "true");
    EXPECT_EQ(device_log().front(),
              "open type=TestVideo element=[C:\\My Clips\\A.TVX] alias=C:\\My Clips\\A.TVX");
    EXPECT_EQ(open_count(), "0");
}

TEST_F(AutoOpen, failing_command_still_closes_the_device) {
    EXPECT_EQ(send("status TestVideo bogus"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(open_count(), "0");
}

TEST_F(AutoOpen, notify_and_state_changing_commands_are_refused) {
    EXPECT_EQ(send("status TestVideo mode notify", test_window()), MCIERR_NOTIFY_ON_AUTO_OPEN);
    EXPECT_EQ(send("set TestVideo time format ms"), MCIERR_ILLEGAL_FOR_AUTO_OPEN);
    EXPECT_EQ(send("status C:\\A.XYZ mode"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(send("close TestVideo wait"), MCIERR_INVALID_DEVICE_NAME) << "close of a device not open";
    EXPECT_TRUE(device_log().empty()) << "no device was made";
    EXPECT_TRUE(posted().empty());
}

TEST_F(AutoOpen, play_without_wait_keeps_its_device_until_closed_by_name) {
    EXPECT_EQ(send("play TestVideo"), 0u);
    EXPECT_EQ(open_count(), "1");
    EXPECT_EQ(send("close TestVideo"), 0u);
    EXPECT_EQ(open_count(), "0");
    EXPECT_EQ(send("play TestVideo wait"), 0u);
    EXPECT_EQ(open_count(), "0");
}

class DeviceOwnership : public MciFixture {};

TEST_F(DeviceOwnership, other_threads_cannot_reach_or_close_a_device_nor_take_its_alias) {
    ASSERT_EQ(send("open TestVideo alias v"), 0u);
    MCIERROR status = 0, close_all = 0, reopen = 0;
    char count[16] = "";
    std::thread other([&] {
        status = mciSendStringA("status v mode", nullptr, 0, nullptr);
        close_all = mciSendStringA("close all", nullptr, 0, nullptr);
        reopen = mciSendStringA("open TestVideo alias v", nullptr, 0, nullptr);
        mciSendStringA("sysinfo all quantity open", count, sizeof count, nullptr);
    });
    other.join();
    EXPECT_EQ(status, MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(close_all, 0u);
    EXPECT_EQ(reopen, MCIERR_DUPLICATE_ALIAS);
    EXPECT_STREQ(count, "0");
    EXPECT_EQ(send("status v mode"), 0u) << "the owner still has its device";
}

} // namespace
