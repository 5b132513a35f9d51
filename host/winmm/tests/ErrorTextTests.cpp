// The error table and mciGetErrorStringA.

#include "winmm/ErrorTable.h"

#include "host/winmm.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using namespace host::mci;

namespace {

TEST(ErrorTable, codes_and_constants_are_unique_and_texts_fit_maxerrorlength) {
    std::set<MCIERROR> codes;
    std::set<std::string_view> constants;
    for (const ErrorRow& row : error_rows()) {
        SCOPED_TRACE(row.code);
        EXPECT_TRUE(codes.insert(row.code).second);
        EXPECT_TRUE(constants.insert(row.constant).second);
        // The text of MCIERR_MULTIPLE is 128 characters itself, one more than MAXERRORLENGTH
        // leaves room for; a buffer of MAXERRORLENGTH receives it without its final period.
        EXPECT_LE(row.text.size(), MAXERRORLENGTH);
        EXPECT_TRUE(row.code == 0 || (row.code > MCIERR_BASE && row.code < MCIERR_CUSTOM_DRIVER_BASE));
    }
}

struct TextCase {
    MCIERROR code;
    const char* text;
};

const TextCase text_cases[] = {
    {0, "The specified command was carried out."},
    {MCIERR_INVALID_DEVICE_NAME, "The specified device is not open or is not recognized by MCI."},
    {MCIERR_DEVICE_OPEN,
     "The device name is already being used as an alias by this application. Use a unique alias."},
    {MCIERR_DUPLICATE_ALIAS,
     "The specified alias is already being used in this application. Use a unique alias."},
    {MCIERR_CANNOT_USE_ALL, "Cannot use 'all' as the device name with the specified command."},
    {MCIERR_NO_INTEGER, "The specified command requires an integer parameter. Please provide one."},
    {MCIERR_FILE_WRITE, "Cannot write to the specified file. Make sure you have enough disk space or are "
                        "still connected to the network."},
};

TEST(ErrorString, known_codes_give_their_windows_text) {
    for (const TextCase& test : text_cases) {
        char buffer[MAXERRORLENGTH];
        SCOPED_TRACE(test.code);
        ASSERT_TRUE(mciGetErrorStringA(test.code, buffer, sizeof buffer));
        EXPECT_STREQ(buffer, test.text);
    }
}

TEST(ErrorString, text_is_truncated_to_the_buffer_with_its_nul) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_INVALID_DEVICE_NAME, buffer, 8));
    EXPECT_STREQ(buffer, "The spe");
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_INVALID_DEVICE_NAME, buffer, 1));
    EXPECT_STREQ(buffer, "");
}

TEST(ErrorString, longest_text_in_a_maxerrorlength_buffer_loses_its_last_character) {
    char buffer[MAXERRORLENGTH];
    ASSERT_TRUE(mciGetErrorStringA(MCIERR_MULTIPLE, buffer, sizeof buffer));
    EXPECT_EQ(std::strlen(buffer), MAXERRORLENGTH - 1);
    EXPECT_EQ(buffer[MAXERRORLENGTH - 2], 'r');
}

TEST(ErrorString, codes_without_text_and_bad_buffers_give_false) {
    char buffer[MAXERRORLENGTH] = "kept";
    for (MCIERROR code : {258u, 283u, 313u, MCIERR_NO_IDENTITY, MCIERR_CUSTOM_DRIVER_BASE + 1, 70000u})
        EXPECT_FALSE(mciGetErrorStringA(code, buffer, sizeof buffer)) << code;
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_HARDWARE, nullptr, 128));
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_HARDWARE, buffer, 0));
    EXPECT_STREQ(buffer, "kept");
}

} // namespace
