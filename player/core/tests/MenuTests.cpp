// The main pop-up menu: its entries and states at creation, the other-device submenu, where it
// opens, the later changes made by opening and closing, and a choice coming back as a command.
#include "DispatchFixture.h"

#include "core/CreationSteps.h"
#include "core/Menus.h"
#include "ops/Transport.h"

namespace {

using namespace player_test;

class MainMenu : public DispatchFixture {
  protected:
    std::vector<host::MenuItemView> shown_items() {
        menus_shown.clear();
        command(502);
        EXPECT_EQ(menus_shown.size(), 1u);
        return menus_shown.empty() ? std::vector<host::MenuItemView>{} : menus_shown[0].items;
    }

    host::MenuItemView entry(UINT id) {
        for (host::MenuItemView const& item : shown_items())
            if (item.id == id)
                return item;
        ADD_FAILURE() << "no entry " << id;
        return {};
    }
};

TEST_F(MainMenu, starts_with_its_eight_entries_in_order_and_the_later_ones_grayed) {
    struct Expected {
        UINT id;
        char const* text;
        bool grayed;
    };
    const Expected expected[] = {
        {506, "&Open ...\tCtrl+O", false},      {558, "Play &VideoCD \tCtrl+V", false},
        {0, "&Use Other Device\tCtrl+U", true}, {561, "&Speed Test", true},
        {525, "&Configure Device", true},       {564, "&MPEG Infomation", true},
        {515, "&About Reelix", false},          {507, "&Exit", false},
    };
    const auto items = shown_items();
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].text, expected[i].text);
        EXPECT_EQ(items[i].grayed, expected[i].grayed);
    }
    EXPECT_TRUE(items[2].submenu.empty());
}

TEST_F(MainMenu, opens_at_the_right_edge_of_the_menu_button_and_stops_play_first) {
    make_files({"C:\\CLIPS\\A.MPG"});
    choose({"C:\\CLIPS\\A.MPG"});
    command(506);
    ASSERT_TRUE(player::state.playing);
    forget_commands();

    command(502);
    ASSERT_EQ(menus_shown.size(), 1u);
    POINT expected{37, 37};
    ClientToScreen(player::windows.main_window, &expected);
    EXPECT_EQ(menus_shown[0].at.x, expected.x);
    EXPECT_EQ(menus_shown[0].at.y, expected.y);
    EXPECT_EQ(menus_shown[0].owner, player::windows.main_window);
    EXPECT_FALSE(player::state.playing);
    EXPECT_EQ(commands_sent().front(), "stop xyzmpeg wait");
}

TEST_F(MainMenu, the_submenu_lists_the_other_devices_by_product_when_there_are_some) {
    player::state.other_device_count = 2;
    std::strcpy(player::state.other_devices[0].product, "Sound Blaster video");
    std::strcpy(player::state.other_devices[1].product, "Disc player ...");
    player::destroy_main_menu();
    player::build_main_menu();

    const auto items = shown_items();
    ASSERT_EQ(items.size(), 8u);
    EXPECT_FALSE(items[2].grayed);
    ASSERT_EQ(items[2].submenu.size(), 2u);
    EXPECT_EQ(items[2].submenu[0].text, "Sound Blaster video");
    EXPECT_EQ(items[2].submenu[0].id, 700u);
    EXPECT_EQ(items[2].submenu[1].text, "Disc player ...");
    EXPECT_EQ(items[2].submenu[1].id, 701u);
}

TEST_F(MainMenu,
       opening_a_file_enables_configure_speed_test_and_information_and_closing_grays_configure_only) {
    make_files({"C:\\CLIPS\\A.MPG"});
    choose({"C:\\CLIPS\\A.MPG"});
    command(506);
    for (UINT id : {525u, 561u, 564u})
        EXPECT_FALSE(entry(id).grayed) << id;
    EXPECT_EQ(entry(525).text, "&Configure ...");

    player::close_media();
    EXPECT_TRUE(entry(525).grayed);
    EXPECT_EQ(entry(525).text, "&Configure ...");
    EXPECT_FALSE(entry(561).grayed) << "nothing grays the speed test again";
    EXPECT_FALSE(entry(564).grayed) << "nothing grays the information again";
}

TEST_F(MainMenu, a_chosen_entry_comes_back_as_its_command) {
    menu_answer = 507; // "&Exit"
    command(502);
    ASSERT_TRUE(pump_until([] { return player::state.exit_requested; }));
}

} // namespace
