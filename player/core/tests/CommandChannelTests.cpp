// The MCI command channel: reading replies as integers, and formatting that never runs past the
// command buffer.
#include "core/CommandChannel.h"

#include "TempPrefix.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ParseInt, reads_the_leading_decimal_integer_of_a_reply) {
    struct Case {
        const char* reply;
        std::int32_t value;
    };
    const Case cases[] = {
        {"1500", 1500},
        {"  42 frames", 42},
        {"\t\n7", 7},
        {"+7", 7},
        {"-13", -13},
        {"", 0},
        {"playing", 0},
        {"- 5", 0},
        {"+-5", 0},
        {"12.5", 12},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647}, // held to the 32-bit range instead of wrapping
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(player::parse_int(c.reply), c.value) << '"' << c.reply << '"';
    EXPECT_EQ(player::parse_int(nullptr), 0);
}

TEST(SendCommand, cuts_a_command_longer_than_the_buffer_instead_of_overrunning_it) {
    TempPrefix prefix;
    const std::string long_name(400, 'X');
    player::send_command(nullptr, nullptr, "open %s alias xyzmpeg wait", long_name.c_str());
    EXPECT_EQ(std::strlen(player::command_buffer), std::size_t(player::command_buffer_size - 1));
    EXPECT_EQ(std::string(player::command_buffer, 5), "open ");
}

TEST(SendCommand, formats_the_command_and_returns_the_mci_error) {
    TempPrefix prefix;
    const MCIERROR error =
        player::send_command(player::reply_buffer, nullptr, "status %s position wait", "nothing");
    EXPECT_STREQ(player::command_buffer, "status nothing position wait");
    EXPECT_NE(error, 0u); // no such alias
}

TEST(SendToDevice, puts_the_alias_after_the_command_word) {
    TempPrefix prefix;
    player::send_to_device(nullptr, nullptr, "pause");
    EXPECT_STREQ(player::command_buffer, "pause xyzmpeg");
    player::send_to_device(nullptr, nullptr, "seek to %d wait", 4500);
    EXPECT_STREQ(player::command_buffer, "seek xyzmpeg to 4500 wait");
    player::send_to_device(player::reply_buffer, nullptr, "status %s wait", "audio bitrate");
    EXPECT_STREQ(player::command_buffer, "status xyzmpeg audio bitrate wait");
}

TEST(SendToDevice, cuts_a_long_command_after_the_alias_instead_of_overrunning_the_buffer) {
    TempPrefix prefix;
    const std::string long_name(400, 'X');
    player::send_to_device(nullptr, nullptr, "capture as %s wait", long_name.c_str());
    const std::string sent = player::command_buffer;
    EXPECT_EQ(sent.size(), std::size_t(player::command_buffer_size - 1));
    EXPECT_EQ(sent, ("capture xyzmpeg as " + long_name).substr(0, sent.size()));
}

} // namespace
