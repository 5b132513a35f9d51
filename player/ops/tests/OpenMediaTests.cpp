// open_media in disc mode ("play VCD"): the five open forms tried in order, the track-count
// query, the status text with its indicator, the menu entries it enables, the failure message,
// and DELETE restarting the disc. File mode is covered by the play-list tests of the core.
#include "DispatchFixture.h"

#include "core/Menus.h"
#include "ops/OpenMedia.h"

namespace {

using namespace player_test;

class DiscMode : public DispatchFixture {
  protected:
    std::string first_form() const {
        return "open ==CDI type VCDVideo alias xyzmpeg parent " + main_window_number() + " style popup wait";
    }

    // The open commands sent, in order.
    std::vector<TracedCommand> opens() const {
        std::vector<TracedCommand> found;
        for (TracedCommand const& line : traced())
            if (line.command.rfind("open ", 0) == 0)
                found.push_back(line);
        return found;
    }

    // What the pop-up menu shows now, by command id.
    host::MenuItemView menu_entry(UINT id) {
        menus_shown.clear();
        command(502); // Ctrl+D
        for (host::MenuItemView const& item : menus_shown.at(0).items)
            if (item.id == id)
                return item;
        ADD_FAILURE() << "no menu entry " << id;
        return {};
    }
};

TEST_F(DiscMode, a_device_taking_the_first_form_gets_that_one_open_then_the_track_count_then_the_set_up) {
    command(558); // Ctrl+V
    const auto sent = commands_sent();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0], "close xyzmpeg wait") << "the current medium is closed before the attempts";
    EXPECT_EQ(sent[1], first_form());
    EXPECT_EQ(sent[2], "status xyzmpeg number of tracks wait");
    EXPECT_EQ(sent[3], "status xyzmpeg audio bitrate wait") << "the after-open sequence follows";
    EXPECT_EQ(opens().size(), 1u);
    EXPECT_TRUE(was_sent("signal xyzmpeg return position every 1000"));

    EXPECT_TRUE(player::state.media_open);
    EXPECT_FALSE(player::state.file_mode);
    EXPECT_STREQ(player::state.device_type, "VCDVideo");
    EXPECT_STREQ(player::state.status_text, " PLAYING VCD    01/01");
    EXPECT_EQ(player::state.item_count, 1);
    EXPECT_EQ(player::state.item_index, 1);
}

TEST_F(DiscMode, a_device_refusing_the_element_is_opened_by_its_type_name_with_the_fourth_form) {
    mci_test::device_script().refuse_elements = true;
    command(558);
    const auto tried = opens();
    ASSERT_EQ(tried.size(), 4u);
    EXPECT_EQ(tried[0].command, first_form());
    EXPECT_EQ(tried[1].command, "open ==CDI type VCDVideo alias xyzmpeg style popup wait");
    EXPECT_EQ(tried[2].command, "open ==CDI type VCDVideo alias xyzmpeg wait");
    EXPECT_EQ(tried[3].command, "open VCDVideo alias xyzmpeg wait");
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(tried[i].result, 0u);
    EXPECT_EQ(tried[3].result, 0u);
    EXPECT_TRUE(player::state.media_open);
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(DiscMode, no_device_answering_beeps_and_warns_and_leaves_nothing_open_and_the_menu_as_it_was) {
    mci_test::device_script().refuse_all = true;
    command(558);
    EXPECT_EQ(opens().size(), 5u);
    EXPECT_EQ(opens().back().command, "open VCDVideo alias xyzmpeg");
    ASSERT_EQ(responder.beeps.size(), 1u);
    EXPECT_EQ(responder.beeps[0], 0xFFFFFFFFu);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].text, "Error: open VCDVideo device");
    EXPECT_EQ(responder.message_boxes[0].caption, "WARNING");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONERROR);
    EXPECT_FALSE(player::state.media_open);
    EXPECT_FALSE(was_sent("status xyzmpeg number of tracks wait"));
    EXPECT_TRUE(menu_entry(player::speed_test_menu_id).grayed);
}

TEST_F(DiscMode, delete_and_insert_restart_the_disc_at_0_and_keep_01_of_01) {
    command(558);
    ASSERT_TRUE(player::state.media_open);
    for (WORD key : {WORD(523), WORD(524)}) {
        forget_commands();
        command(key);
        const auto sent = commands_sent();
        ASSERT_GE(sent.size(), 2u);
        EXPECT_EQ(sent[0], "seek xyzmpeg to 0 wait") << key;
        EXPECT_EQ(sent[1], "play xyzmpeg repeat");
        EXPECT_TRUE(opens().empty()) << "the disc is not reopened";
        EXPECT_STREQ(player::state.status_text, " PLAYING VCD    01/01");
    }
}

TEST_F(DiscMode, opening_enables_configure_and_speed_test) {
    EXPECT_TRUE(menu_entry(player::speed_test_menu_id).grayed);
    command(558);
    const host::MenuItemView configure = menu_entry(525);
    EXPECT_EQ(configure.text, "&Configure ...");
    EXPECT_FALSE(configure.grayed);
    const host::MenuItemView speed_test = menu_entry(player::speed_test_menu_id);
    EXPECT_EQ(speed_test.text, "&Speed Test");
    EXPECT_FALSE(speed_test.grayed);
}

TEST_F(DiscMode, every_open_command_resets_the_medium_fields_and_shows_the_panel_alone_first) {
    command(558);
    player::state.full_size = true;
    player::state.mark_begin_ms = 1000;
    player::state.mark_end_ms = 5000;
    player::state.item_count = 7;
    player::state.item_index = 3;

    player::reset_medium_state();
    EXPECT_FALSE(player::state.media_open);
    EXPECT_FALSE(player::state.playing);
    EXPECT_FALSE(player::state.full_size);
    EXPECT_EQ(player::state.item_count, 1);
    EXPECT_EQ(player::state.item_index, 1);
    EXPECT_EQ(player::state.video_window, nullptr);
    EXPECT_STREQ(player::state.status_text, "");
    EXPECT_EQ(player::state.position_ms, 0);
    EXPECT_EQ(player::state.mark_begin_ms, 0);
    EXPECT_EQ(player::state.mark_end_ms, 0);
    EXPECT_EQ(player::state.length_ms, 1);

    // 640 x 480 with a 368 x 70 panel over a 302-line backdrop.
    player::apply_panel_only_layout();
    EXPECT_EQ(player::state.window_x, 136);
    EXPECT_EQ(player::state.window_y, 54);
}

} // namespace
