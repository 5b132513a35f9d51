// Command strings in, result code, reply and what the device received out, against the
// recording device opened as "v".

#include "RecordingDevice.h"

using namespace mci_test;

namespace {

struct Case {
    const char* command;
    MCIERROR code;
    const char* reply;    // expected reply on success
    const char* received; // what the device got; nullptr: not checked; "" : nothing
};

class CommandConformance : public MciFixture {
  protected:
    void SetUp() override {
        MciFixture::SetUp();
        ASSERT_EQ(send("open TestVideo alias v wait"), 0u);
        ASSERT_EQ(reply, "1");
        device_log().clear();
    }

    void check(const Case& test) {
        SCOPED_TRACE(test.command);
        device_log().clear();
        EXPECT_EQ(send(test.command), test.code);
        if (test.code == 0)
            EXPECT_EQ(reply, test.reply);
        else
            EXPECT_EQ(reply, "") << "a failed command empties the reply buffer";
        if (test.received) {
            std::string received = device_log().empty() ? "" : device_log().back();
            EXPECT_EQ(received, test.received);
        }
    }
};

const Case parse_cases[] = {
    // Shape of a command: case, blanks, keyword order.
    {"status v mode", 0, "stopped", "status mode"},
    {"STATUS V MODE", 0, "stopped", "status mode"},
    {"  status   v    mode  ", 0, "stopped", "status mode"},
    {"status\tv\tmode", 0, "stopped", "status mode"},
    {"status v nominal frame rate wait", 0, "25000", "status nominal frame rate [wait]"},
    {"status v frame rate nominal", 0, "25000", "status frame rate nominal"},
    {"status v frame rate", 0, "24000", "status frame rate"},
    {"status v start position", 0, "1500", "status start position"},
    // Missing things.
    {"", MCIERR_MISSING_COMMAND_STRING, "", ""},
    {"    ", MCIERR_MISSING_COMMAND_STRING, "", ""},
    {"open", MCIERR_MISSING_DEVICE_NAME, "", ""},
    {"status", MCIERR_MISSING_DEVICE_NAME, "", ""},
    {"frobnicate", MCIERR_UNRECOGNIZED_COMMAND, "", ""},
    {"frobnicate v", MCIERR_UNRECOGNIZED_COMMAND, "", ""},
    {"open notify", MCIERR_INVALID_DEVICE_NAME, "", ""},
    {"status v", MCIERR_UNSUPPORTED_FUNCTION, "", "status"},
    // Keywords.
    {"status v bogus", MCIERR_UNRECOGNIZED_KEYWORD, "", ""},
    {"status v mode mode", MCIERR_DUPLICATE_FLAGS, "", ""},
    {"status v mode wait wait", MCIERR_DUPLICATE_FLAGS, "", ""},
    {"status v length position", MCIERR_FLAGS_NOT_COMPATIBLE, "", ""},
    {"seek v to start to 0", MCIERR_FLAGS_NOT_COMPATIBLE, "", ""},
    {"play v to 10 reverse", MCIERR_FLAGS_NOT_COMPATIBLE, "", ""},
    {"play v from 0 to 10 repeat", 0, "", "play from=0 to=10 repeat"},
    {"play v fullscreen by 2", 0, "", "play fullscreen by 2"},
    // Integers.
    {"seek v to 250 wait", 0, "", "seek to=250 [wait]"},
    {"seek v to -5", 0, "", "seek to=-5"},
    {"seek v to - 5", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to 0xfa", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to 12abc", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to 220:5:0", 0, "", "seek to=1500"},
    {"seek v to :1", 0, "", "seek to=256"},
    {"seek v to 1:2:3:4:5", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to 256:0", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to 99999999999", MCIERR_BAD_INTEGER, "", ""},
    {"seek v to", MCIERR_NO_INTEGER, "", ""},
    {"seek v to start", 0, "", "seek to start"},
    {"seek v to end wait", 0, "", "seek to end [wait]"},
    {"open TestVideo alias w parent 4294967295", 0, "2", nullptr},
    // Strings and quotes.
    {"capture v as C:\\PICS\\00000001.BMP wait", 0, "", "capture as=[C:\\PICS\\00000001.BMP] [wait]"},
    {"capture v as \"C:\\My Pics\\a.bmp\" wait", 0, "", "capture as=[C:\\My Pics\\a.bmp] [wait]"},
    {"capture v as \"say \"\"hi\"\"\"", 0, "", "capture as=[say \"hi\"]"},
    {"window v text \"\"", 0, "", "window text=[]"},
    {"capture v as", MCIERR_MISSING_STRING_ARGUMENT, "", ""},
    {"capture v as \"abc", MCIERR_NO_CLOSING_QUOTE, "", ""},
    {"capture v as \"abc\"def", MCIERR_EXTRA_CHARACTERS, "", ""},
    {"save v C:\\OUT.AVI", 0, "", "save <positional>=[C:\\OUT.AVI]"},
    {"save v a b", MCIERR_UNRECOGNIZED_KEYWORD, "", ""},
    // Constants.
    {"set v time format milliseconds wait", 0, "", "set time format=milliseconds/0 [wait]"},
    {"set v time format ms", 0, "", "set time format=ms/0"},
    {"set v time format 3", 0, "", "set time format=frames/3"},
    {"set v time format smpte 30 drop", MCIERR_BAD_TIME_FORMAT, "", "set time format=smpte 30 drop/7"},
    {"set v time format fortnights", MCIERR_BAD_CONSTANT, "", ""},
    {"set v time format", MCIERR_BAD_CONSTANT, "", ""},
    {"set v audio left off", 0, "", "set audio=left/1 off"},
    {"window v state show min noactive", 0, "", "window state=show min noactive/7"},
    {"window v handle default", 0, "", "window handle default"},
    {"window v handle 77", 0, "", "window handle=77"},
    {"open TestVideo alias x style popup", 0, "3", nullptr},
    // Rectangles.
    {"put v destination at 1 2 3 4", 0, "", "put destination at=1,2,3,4"},
    {"put v destination at 1 2 3", MCIERR_BAD_INTEGER, "", ""},
    {"put v destination at 1 2 3 40000", MCIERR_BAD_INTEGER, "", ""},
    // The device's own keywords and verbs (extended table).
    {"status v bitrate wait", 0, "1150000", "status bitrate [wait]"},
    {"step v by 1 key wait", 0, "", "step by=1 key [wait]"},
    {"step v by 1 wait", 0, "", "step by=1 [wait]"},
    {"play v fast", 0, "", "play fast"},
    {"play v repeat", 0, "", "play repeat"},
    {"ratecontrol v off wait", 0, "", "ratecontrol off [wait]"},
    {"setaudio v left on wait", 0, "", "setaudio left on [wait]"},
    {"setaudio v volume to 500 wait", 0, "", "setaudio volume to=500 [wait]"},
    {"signal v return position every 1000", 0, "", "signal return position every=1000"},
    // test: checked, not carried out; not valid on close.
    {"seek v to 10 test", 0, "", "seek to=10 [test]"},
    {"close v test", MCIERR_UNRECOGNIZED_KEYWORD, "", nullptr},
};

TEST_F(CommandConformance, parses_commands_as_windows_does) {
    for (const Case& test : parse_cases)
        check(test);
}

const Case reply_cases[] = {
    {"status v mode wait", 0, "stopped", nullptr},
    {"status v position", 0, "1500", nullptr},
    {"status v length", 0, "0", nullptr},
    {"status v volume", 0, "4294967295", nullptr}, // DWORD replies are unsigned
    {"status v window handle wait", 0, "4886718345", nullptr},
    {"status v time format", 0, "milliseconds", nullptr},
    {"status v ready", 0, "true", nullptr},
    {"where v source wait", 0, "0 0 352 240", nullptr},
    {"info v product wait", 0, "Recording device", nullptr},
    {"capability v has video wait", 0, "true", nullptr},
    {"capability v can eject", 0, "false", nullptr},
    {"stop v wait", 0, "", nullptr},
    {"sysinfo v installname", 0, "TestVideo", nullptr},
    {"sysinfo all quantity open", 0, "1", nullptr},
    {"sysinfo all name 1 open", 0, "v", nullptr},
    {"sysinfo digitalvideo quantity open", 0, "1", nullptr},
    {"sysinfo all installname", MCIERR_CANNOT_USE_ALL, "", nullptr},
    {"sysinfo nosuch installname", MCIERR_INVALID_DEVICE_NAME, "", nullptr},
    {"sysinfo avivideo quantity", MCIERR_DEVICE_TYPE_REQUIRED, "", nullptr},
    {"sysinfo all", MCIERR_MISSING_PARAMETER, "", nullptr},
    {"sysinfo all name 0", MCIERR_OUTOFRANGE, "", nullptr},
    {"sysinfo all name 1 open quantity", MCIERR_FLAGS_NOT_COMPATIBLE, "", nullptr},
    {"status all mode", MCIERR_CANNOT_USE_ALL, "", nullptr},
    {"open all", MCIERR_CANNOT_USE_ALL, "", nullptr},
    {"status nosuch mode", MCIERR_INVALID_DEVICE_NAME, "", nullptr},
    {"ratecontrol nosuch off", MCIERR_INVALID_DEVICE_NAME, "", nullptr},
    {"frobnicate nosuch", MCIERR_INVALID_DEVICE_NAME, "", nullptr},
};

TEST_F(CommandConformance, replies_are_formatted_as_windows_formats_them) {
    for (const Case& test : reply_cases)
        check(test);
}

TEST_F(CommandConformance, time_format_set_is_read_back_by_name) {
    ASSERT_EQ(send("set v time format frames wait"), 0u);
    EXPECT_EQ(send("status v time format"), 0u);
    EXPECT_EQ(reply, "frames");
}

TEST_F(CommandConformance, driver_error_carries_device_id_and_driver_text) {
    MCIERROR error = send("cue v");
    EXPECT_EQ(error, recording_device_error | (1u << 16));
    char text[MAXERRORLENGTH];
    ASSERT_TRUE(mciGetErrorStringA(error, text, sizeof text));
    EXPECT_STREQ(text, "The recording device refused.");
    ASSERT_EQ(send("close v"), 0u);
    EXPECT_FALSE(mciGetErrorStringA(error, text, sizeof text)) << "the device that knew the text is gone";
}

TEST_F(CommandConformance, commands_to_all_reach_every_open_device) {
    ASSERT_EQ(send("open TestVideo alias w"), 0u);
    device_log().clear();
    EXPECT_EQ(send("stop all wait"), 0u);
    EXPECT_EQ(device_log(), (std::vector<std::string>{"stop [wait]", "stop [wait]"}));
    EXPECT_EQ(send("cue all"), MCIERR_CANNOT_USE_ALL);
    EXPECT_EQ(send("close all"), 0u);
    EXPECT_EQ(send("status v mode"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(send("status w mode"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(send("close all"), 0u) << "close all with nothing open";
}

} // namespace
