// The /d enumeration of other MCI video devices and the choice of one: only the first 16
// installed devices are examined, the player's own two types are skipped by exact name, and only
// devices with video count. The installed devices are [mci] entries served by the scripted device.
#include "ScriptedMci.h"

#include "core/CreationSteps.h"
#include "core/DeviceHandling.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using namespace scripted_mci;
using player::state;
using Strings = std::vector<std::string>;

class OtherDevices : public ScriptedPlayer {
  protected:
    // Replaces the installed MCI devices by `names`, in this order.
    void install(Strings const& names) {
        ASSERT_TRUE(WritePrivateProfileStringA("mci", nullptr, nullptr, "C:\\WINDOWS\\SYSTEM.INI"));
        for (std::string const& name : names)
            ASSERT_TRUE(
                WritePrivateProfileStringA("mci", name.c_str(), scripted_driver, "C:\\WINDOWS\\SYSTEM.INI"));
        answer("info xyzmpeg product wait", 0, "Scripted video");
        answer("capability xyzmpeg compound device wait", 0, "false");
        answer("capability xyzmpeg has video wait", 0, "true");
    }

    // Twenty devices Video01 .. Video20, with `third` and `fifth` in places 3 and 5.
    static Strings twenty(std::string const& third, std::string const& fifth) {
        Strings names;
        for (int i = 1; i <= 20; ++i) {
            char name[32]; // room for any int, so the compiler sees no cut
            std::snprintf(name, sizeof name, "Video%02d", i);
            names.emplace_back(name);
        }
        names[2] = third;
        names[4] = fifth;
        return names;
    }

    Strings names_kept() const {
        Strings names;
        for (int i = 0; i < state.other_device_count; ++i)
            names.emplace_back(state.other_devices[i].name);
        return names;
    }

    static std::size_t count(Strings const& commands, std::string const& prefix) {
        return static_cast<std::size_t>(std::count_if(
            commands.begin(), commands.end(), [&](std::string const& c) { return c.starts_with(prefix); }));
    }
};

TEST_F(OtherDevices, only_the_first_16_of_20_are_examined_and_the_player_types_are_skipped) {
    install(twenty("MpegMovie", "VCDVideo"));
    answer("Video02|capability xyzmpeg compound device wait", 0, "true");
    answer("Video02|info xyzmpeg product wait", 0, "Disc Player");
    answer("Video09|capability xyzmpeg has video wait", 0, "false");
    answer("open Video04 alias xyzmpeg wait", MCIERR_DEVICE_OPEN);
    state.other_device_count = 3;

    player::enumerate_other_devices();

    const Strings commands = sent();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), "sysinfo all quantity wait");
    EXPECT_EQ(count(commands, "sysinfo all name "), 16u);
    EXPECT_EQ(count(commands, "sysinfo all name 16 wait"), 1u);
    EXPECT_EQ(count(commands, "sysinfo all name 17 wait"), 0u);
    EXPECT_EQ(count(commands, "open MpegMovie"), 0u);
    EXPECT_EQ(count(commands, "open VCDVideo"), 0u);
    EXPECT_EQ(count(commands, "open "), 14u);
    EXPECT_EQ(count(commands, "close xyzmpeg"), 13u); // every device that opened

    EXPECT_EQ(names_kept(), (Strings{"Video01", "Video02", "Video06", "Video07", "Video08", "Video10",
                                     "Video11", "Video12", "Video13", "Video14", "Video15", "Video16"}));
    EXPECT_EQ(state.other_devices[0].compound, 0);
    EXPECT_STREQ(state.other_devices[0].product, "Scripted video");
    EXPECT_EQ(state.other_devices[1].compound, 1);
    EXPECT_STREQ(state.other_devices[1].product, "Disc Player ...");
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(OtherDevices, one_device_is_examined_with_these_strings_in_this_order) {
    install({"Overlay"});
    player::enumerate_other_devices();
    EXPECT_EQ(sent(), (Strings{"sysinfo all quantity wait", "sysinfo all name 1 wait",
                               "open Overlay alias xyzmpeg wait", "info xyzmpeg product wait",
                               "capability xyzmpeg compound device wait", "capability xyzmpeg has video wait",
                               "close xyzmpeg"}));
    EXPECT_EQ(names_kept(), Strings{"Overlay"});
}

TEST_F(OtherDevices, the_skip_is_case_sensitive) {
    install(twenty("mpegmovie", "vcdVideo"));
    player::enumerate_other_devices();
    const Strings commands = sent();
    EXPECT_EQ(count(commands, "open mpegmovie alias xyzmpeg wait"), 1u);
    EXPECT_EQ(count(commands, "open vcdVideo alias xyzmpeg wait"), 1u);
    EXPECT_EQ(state.other_device_count, 16);
}

TEST_F(OtherDevices, capability_replies_count_when_they_contain_1_or_true) {
    struct Case {
        char const* reply;
        bool yes;
    };
    for (Case c : {Case{"true", true}, Case{"1", true}, Case{"not true", true}, Case{"10", true},
                   Case{"false", false}, Case{"0", false}, Case{"", false}, Case{"TRUE", false}}) {
        install({"Overlay"});
        answer("capability xyzmpeg has video wait", 0, c.reply);
        answer("capability xyzmpeg compound device wait", 0, c.reply);
        player::enumerate_other_devices();
        EXPECT_EQ(state.other_device_count, c.yes ? 1 : 0) << c.reply;
        EXPECT_EQ(state.other_devices[0].compound, c.yes ? 1 : 0) << c.reply;
    }
}

TEST_F(OtherDevices, a_long_product_text_is_cut_and_keeps_room_for_nothing_more) {
    install({"Overlay"});
    answer("info xyzmpeg product wait", 0, std::string(200, 'P'));
    answer("capability xyzmpeg compound device wait", 0, "true");
    player::enumerate_other_devices();
    ASSERT_EQ(state.other_device_count, 1);
    EXPECT_EQ(std::strlen(state.other_devices[0].product), player::product_size - 1u);
}

TEST_F(OtherDevices, choosing_a_simple_device_opens_it_as_a_whole) {
    install({"Overlay", "Camera"});
    answer("Camera|capability xyzmpeg compound device wait", 0, "true");
    player::enumerate_other_devices();
    ASSERT_EQ(state.other_device_count, 2);
    forget_sent();

    player::select_other_device(0);

    EXPECT_STREQ(state.device_type, "Overlay");
    EXPECT_FALSE(state.file_mode);
    const Strings commands = sent();
    EXPECT_GE(count(commands, "open ==CDI type Overlay alias xyzmpeg"), 1u);
}

TEST_F(OtherDevices, an_index_outside_the_kept_devices_does_nothing) {
    install({"Overlay"});
    player::enumerate_other_devices();
    forget_sent();
    player::select_other_device(1);
    player::select_other_device(-1);
    EXPECT_TRUE(sent().empty());
    EXPECT_STREQ(state.device_type, "");
}

} // namespace
