// The reply buffer rules of mciSendStringA.

#include "RecordingDevice.h"

#include <cstring>

using namespace mci_test;

namespace {

class ReplyBuffer : public MciFixture {
  protected:
    void SetUp() override {
        MciFixture::SetUp();
        ASSERT_EQ(mciSendStringA("open TestVideo alias v", nullptr, 0, nullptr), 0u);
    }
};

TEST_F(ReplyBuffer, reply_that_fits_exactly_with_its_nul_is_copied) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(mciSendStringA("status v mode", buffer, 8, nullptr), 0u); // "stopped" + NUL
    EXPECT_STREQ(buffer, "stopped");
}

TEST_F(ReplyBuffer, reply_one_too_long_overflows_and_leaves_the_buffer_as_it_was) {
    char buffer[8] = "abcdefg";
    EXPECT_EQ(mciSendStringA("status v mode", buffer, 7, nullptr), MCIERR_PARAM_OVERFLOW);
    EXPECT_STREQ(buffer, "abcdefg");
}

TEST_F(ReplyBuffer, null_buffer_for_a_command_with_data_overflows) {
    EXPECT_EQ(mciSendStringA("status v position", nullptr, 0, nullptr), MCIERR_PARAM_OVERFLOW);
    EXPECT_EQ(mciSendStringA("sysinfo all quantity", nullptr, 0, nullptr), MCIERR_PARAM_OVERFLOW);
}

TEST_F(ReplyBuffer, null_buffer_is_fine_for_commands_without_data_and_for_open) {
    EXPECT_EQ(mciSendStringA("seek v to 0 wait", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(mciSendStringA("open TestVideo alias w wait", nullptr, 0, nullptr), 0u);
}

TEST_F(ReplyBuffer, command_without_data_empties_the_buffer) {
    char buffer[16] = "previous";
    EXPECT_EQ(mciSendStringA("seek v to 0 wait", buffer, sizeof buffer, nullptr), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ReplyBuffer, failed_command_empties_the_buffer) {
    char buffer[16] = "previous";
    EXPECT_EQ(mciSendStringA("status v bogus", buffer, sizeof buffer, nullptr), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ReplyBuffer, null_command_string_is_a_missing_command) {
    EXPECT_EQ(mciSendStringA(nullptr, nullptr, 0, nullptr), MCIERR_MISSING_COMMAND_STRING);
}

} // namespace
