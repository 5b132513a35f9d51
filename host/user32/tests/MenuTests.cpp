// Pop-up menus built, changed and answered through the test responder.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

class PopupMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        register_recording_class("M_Main");
        m_window = CreateWindowExA(0, "M_Main", "", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        m_devices = CreatePopupMenu();
        AppendMenuA(m_devices, MF_STRING, 700, "Video Disc");
        m_menu = CreatePopupMenu();
        AppendMenuA(m_menu, MF_STRING, 506, "&Open ...\tCtrl+O");
        AppendMenuA(m_menu, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(m_devices),
                    "&Use Other Device\tCtrl+U");
        AppendMenuA(m_menu, MF_STRING | MF_GRAYED, 525, "&Configure Device");
        AppendMenuA(m_menu, MF_STRING, 507, "&Exit");
        pump_pending();
        Recorder::current().messages.clear();
    }
    void TearDown() override {
        host::set_popup_menu_responder(nullptr);
        DestroyMenu(m_menu);
        DestroyWindow(m_window);
    }

    // Opens the menu with a responder that picks `choice`; returns the commands that arrived.
    std::vector<WORD> choose(UINT choice) {
        host::set_popup_menu_responder([this, choice](host::PopupMenuRequest const& request) {
            m_seen = request;
            return choice;
        });
        EXPECT_TRUE(TrackPopupMenu(m_menu, TPM_LEFTBUTTON, 137, 87, 0, m_window, nullptr));
        pump_pending();
        std::vector<WORD> ids;
        for (auto const& command : Recorder::current().of(WM_COMMAND)) {
            EXPECT_EQ(HIWORD(command.wparam), 0) << "menu commands carry 0 in the high word";
            ids.push_back(LOWORD(command.wparam));
        }
        return ids;
    }

    HWND m_window = nullptr;
    HMENU m_menu = nullptr;
    HMENU m_devices = nullptr;
    host::PopupMenuRequest m_seen;
};

} // namespace

TEST_F(PopupMenus, the_responder_sees_the_items_and_the_choice_arrives_as_a_posted_command) {
    EXPECT_EQ(choose(507), std::vector<WORD>{507});
    ASSERT_EQ(m_seen.items.size(), 4u);
    EXPECT_EQ(m_seen.items[0].text, "&Open ...\tCtrl+O");
    EXPECT_EQ(m_seen.items[0].id, 506u);
    EXPECT_TRUE(m_seen.items[1].grayed);
    ASSERT_EQ(m_seen.items[1].submenu.size(), 1u);
    EXPECT_EQ(m_seen.items[1].submenu[0].id, 700u);
    EXPECT_TRUE(m_seen.items[2].grayed);
    EXPECT_EQ(m_seen.at.x, 137);
    EXPECT_EQ(m_seen.at.y, 87);
    EXPECT_EQ(m_seen.owner, m_window);
}

TEST_F(PopupMenus, grayed_items_unknown_ids_and_dismissal_send_nothing) {
    EXPECT_TRUE(choose(525).empty()) << "a grayed item";
    EXPECT_TRUE(choose(700).empty()) << "an item of a grayed submenu";
    EXPECT_TRUE(choose(999).empty()) << "no such item";
    EXPECT_TRUE(choose(0).empty()) << "dismissed";
}

TEST_F(PopupMenus, modify_menu_by_command_changes_text_and_state_also_inside_submenus) {
    ASSERT_TRUE(ModifyMenuA(m_menu, 525, MF_BYCOMMAND | MF_STRING | MF_ENABLED, 525, "&Configure ..."));
    ASSERT_TRUE(ModifyMenuA(m_menu, 700, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 700, "Video Disc ..."));
    ASSERT_TRUE(ModifyMenuA(m_menu, 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(m_devices),
                            "&Use Other Device\tCtrl+U"));
    EXPECT_FALSE(ModifyMenuA(m_menu, 4242, MF_BYCOMMAND, 4242, "nothing"));
    EXPECT_EQ(choose(525), std::vector<WORD>{525});
    EXPECT_EQ(m_seen.items[2].text, "&Configure ...");
    EXPECT_FALSE(m_seen.items[1].grayed);
    EXPECT_EQ(m_seen.items[1].submenu[0].text, "Video Disc ...");
    EXPECT_TRUE(m_seen.items[1].submenu[0].grayed);
}

TEST_F(PopupMenus, return_cmd_gives_the_choice_instead_of_a_message) {
    host::set_popup_menu_responder([](host::PopupMenuRequest const&) { return 506u; });
    EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, m_window, nullptr), 506);
    pump_pending();
    EXPECT_TRUE(Recorder::current().of(WM_COMMAND).empty());
}

TEST_F(PopupMenus, a_menu_cannot_become_its_own_submenu) {
    EXPECT_FALSE(AppendMenuA(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_menu), "self"));
    EXPECT_FALSE(AppendMenuA(m_devices, MF_POPUP, reinterpret_cast<UINT_PTR>(m_menu), "loop"));
    EXPECT_FALSE(AppendMenuA(m_menu, MF_POPUP, 0x1234, "no such menu"));
    EXPECT_EQ(choose(506), std::vector<WORD>{506});
    EXPECT_EQ(m_seen.items.size(), 4u);
}

TEST_F(PopupMenus, destroying_a_menu_destroys_its_submenus) {
    ASSERT_TRUE(DestroyMenu(m_menu));
    EXPECT_FALSE(DestroyMenu(m_devices));
    EXPECT_FALSE(AppendMenuA(m_menu, MF_STRING, 1, "x"));
    EXPECT_FALSE(TrackPopupMenu(m_menu, TPM_LEFTBUTTON, 0, 0, 0, m_window, nullptr));
    m_menu = CreatePopupMenu(); // for TearDown
}
