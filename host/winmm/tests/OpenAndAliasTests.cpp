// open in all its forms, the alias table and device ids, close and close all.

#include "RecordingDevice.h"

using namespace mci_test;

namespace {

class OpenAndAlias : public MciFixture {};

struct OpenCase {
    const char* command;
    MCIERROR code;
    const char* reply;
    const char* received; // the open request the device got; "" when no device was made
};

const OpenCase open_cases[] = {
    {"open TestVideo", 0, "1", "open type=TestVideo element=[] alias=TestVideo"},
    {"open testvideo alias m", 0, "1", "open type=TestVideo element=[] alias=m"},
    {"open C:\\CLIP.MPG type TestVideo alias m", 0, "1",
     "open type=TestVideo element=[C:\\CLIP.MPG] alias=m"},
    {"open C:\\CLIP.MPG type TestVideo", 0, "1",
     "open type=TestVideo element=[C:\\CLIP.MPG] alias=C:\\CLIP.MPG"},
    {"open TestVideo!C:\\CLIP.MPG alias m", 0, "1", "open type=TestVideo element=[C:\\CLIP.MPG] alias=m"},
    {"open TestVideo element C:\\CLIP.MPG alias m", 0, "1",
     "open type=TestVideo element=[C:\\CLIP.MPG] alias=m"},
    {"open \"C:\\My Clips\\A.TVX\" alias m", 0, "1",
     "open type=TestVideo element=[C:\\My Clips\\A.TVX] alias=m"},
    {"open ==CDI type TestVideo alias xyzmpeg parent 12 style popup wait", 0, "1",
     "open type=TestVideo element=[==CDI] alias=xyzmpeg"},
    {"open new type TestVideo alias rec", 0, "1", "open type=TestVideo element=[] alias=rec"},
    {"open new type TestVideo", MCIERR_NEW_REQUIRES_ALIAS, "", ""},
    {"open C:\\CLIP.XYZ alias m", MCIERR_EXTENSION_NOT_FOUND, "", ""},
    {"open nosuchdevice", MCIERR_INVALID_DEVICE_NAME, "", ""},
    {"open nosuchtype!C:\\A.MPG alias m", MCIERR_INVALID_DEVICE_NAME, "", ""},
    {"open !C:\\A.MPG alias m", MCIERR_INVALID_DEVICE_NAME, "", ""},
    {"open C:\\A.MPG type nosuchtype alias m", MCIERR_INVALID_DEVICE_NAME, "", ""},
    {"open TestVideo!C:\\MISSING.MPG alias m", MCIERR_FILE_NOT_FOUND, "",
     "open type=TestVideo element=[C:\\MISSING.MPG] alias=m"},
    {"open TestVideo alias m test", MCIERR_UNRECOGNIZED_KEYWORD, "", ""},
    {"open TestVideo alias", MCIERR_MISSING_STRING_ARGUMENT, "", ""},
    {"open TestVideo alias m style sideways", MCIERR_BAD_CONSTANT, "", ""},
    // Entries naming a system driver no built-in device serves.
    {"open cdaudio alias cd", MCIERR_CANNOT_LOAD_DRIVER, "", ""},
};

TEST_F(OpenAndAlias, open_forms_name_type_element_and_alias) {
    for (const OpenCase& test : open_cases) {
        SCOPED_TRACE(test.command);
        device_log().clear();
        EXPECT_EQ(send(test.command), test.code);
        EXPECT_EQ(reply, test.reply);
        EXPECT_EQ(device_log().empty() ? "" : device_log().front(), test.received);
        mciSendStringA("close all", nullptr, 0, nullptr);
    }
}

TEST_F(OpenAndAlias, second_open_under_an_alias_in_use_fails) {
    ASSERT_EQ(send("open TestVideo alias xyzmpeg"), 0u);
    EXPECT_EQ(send("open TestVideo alias XYZMPEG"), MCIERR_DUPLICATE_ALIAS) << "aliases ignore case";
    EXPECT_EQ(send("open C:\\A.MPG type TestVideo alias xyzmpeg"), MCIERR_DUPLICATE_ALIAS);
    EXPECT_EQ(send("status xyzmpeg mode"), 0u) << "the first device is untouched";
    EXPECT_EQ(reply, "stopped");
}

TEST_F(OpenAndAlias, implicit_alias_collision_is_device_open) {
    ASSERT_EQ(send("open TestVideo"), 0u);
    EXPECT_EQ(send("open TestVideo"), MCIERR_DEVICE_OPEN);
    ASSERT_EQ(send("open C:\\A.TVX"), 0u);
    EXPECT_EQ(send("open c:\\a.tvx"), MCIERR_DEVICE_OPEN);
    EXPECT_EQ(send("status c:\\A.TVX mode"), 0u) << "the element name is the alias";
}

TEST_F(OpenAndAlias, device_ids_start_at_one_and_the_lowest_free_is_reused) {
    ASSERT_EQ(send("open TestVideo alias a"), 0u);
    EXPECT_EQ(reply, "1");
    ASSERT_EQ(send("open TestVideo alias b"), 0u);
    EXPECT_EQ(reply, "2");
    ASSERT_EQ(send("open TestVideo alias c"), 0u);
    EXPECT_EQ(reply, "3");
    ASSERT_EQ(send("close b wait"), 0u);
    ASSERT_EQ(send("open TestVideo alias d"), 0u);
    EXPECT_EQ(reply, "2");
}

TEST_F(OpenAndAlias, failed_open_frees_its_alias_and_id) {
    EXPECT_EQ(send("open TestVideo!C:\\MISSING.MPG alias m"), MCIERR_FILE_NOT_FOUND);
    ASSERT_EQ(send("open TestVideo alias m"), 0u);
    EXPECT_EQ(reply, "1");
}

TEST_F(OpenAndAlias, closed_alias_is_an_invalid_device_name) {
    ASSERT_EQ(send("open TestVideo alias xyzmpeg wait"), 0u);
    device_log().clear();
    ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    EXPECT_EQ(device_log(), std::vector<std::string>{"close"});
    for (const char* command : {"status xyzmpeg mode wait", "play xyzmpeg repeat", "close xyzmpeg wait",
                                "seek xyzmpeg to 0 wait"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(send(command), MCIERR_INVALID_DEVICE_NAME);
    }
}

// A device that, inside one of its commands, runs a message loop through which its own close
// arrives (a modal dialog, a wait): the close frees the alias at once and closes the device only
// once the command has returned, so the command never works on a closed device.
class ClosedInsideItsCommand : public RecordingDevice {
  public:
    MCIERROR execute(Command& command, Reply& reply) override {
        if (command.verb != "configure")
            return RecordingDevice::execute(command, reply);
        device_log().push_back("configure begins");
        EXPECT_EQ(mciSendStringA("close inner wait", nullptr, 0, nullptr), 0u);
        EXPECT_EQ(mciSendStringA("status inner mode wait", nullptr, 0, nullptr), MCIERR_INVALID_DEVICE_NAME);
        device_log().push_back("configure ends");
        return 0;
    }
};

TEST_F(OpenAndAlias, close_arriving_inside_a_command_waits_for_it_to_return) {
    register_builtin_device("mcinest.drv", [] { return std::make_unique<ClosedInsideItsCommand>(); });
    ASSERT_TRUE(WritePrivateProfileStringA("mci", "Nested", "mcinest.drv", "C:\\WINDOWS\\SYSTEM.INI"));
    ASSERT_EQ(send("open Nested alias inner wait"), 0u);
    device_log().clear();
    EXPECT_EQ(send("configure inner wait"), 0u);
    EXPECT_EQ(device_log(), (std::vector<std::string>{"configure begins", "configure ends", "close"}));
    EXPECT_EQ(send("open Nested alias inner wait"), 0u); // the alias was freed
    unregister_builtin_device("mcinest.drv");
}

TEST_F(OpenAndAlias, close_all_closes_every_device_and_leaves_the_buffer_empty) {
    ASSERT_EQ(send("open TestVideo alias a"), 0u);
    ASSERT_EQ(send("open TestVideo alias b"), 0u);
    device_log().clear();
    EXPECT_EQ(send("close all wait"), 0u);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(device_log(), (std::vector<std::string>{"close", "close"}));
    EXPECT_EQ(send("sysinfo all quantity open"), 0u);
    EXPECT_EQ(reply, "0");
}

} // namespace
