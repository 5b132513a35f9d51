// The play list: item paths cut out of the dialog's selection, and the walk through the list
// from the keys (DELETE, INSERT) with its wrap-around, the single-item restart, the root-folder
// double backslash, a cancelled dialog and a failing one, and a file of the list that fails.
#include "DispatchFixture.h"

#include "core/PanelPainter.h"
#include "core/PlayList.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace player_test;

TEST(ItemPath, cuts_the_item_out_of_the_selection) {
    struct Case {
        char const* name;
        char const* selection;
        std::int32_t index;
        char const* path;
    };
    const Case cases[] = {
        {"one file: the whole text", "C:\\CLIPS\\A.MPG", 1, "C:\\CLIPS\\A.MPG"},
        {"first of three", "C:\\CLIPS A.MPG B.DAT C.AVI", 1, "C:\\CLIPS\\A.MPG"},
        {"middle of three", "C:\\CLIPS A.MPG B.DAT C.AVI", 2, "C:\\CLIPS\\B.DAT"},
        {"last of three", "C:\\CLIPS A.MPG B.DAT C.AVI", 3, "C:\\CLIPS\\C.AVI"},
        {"a root folder gives two backslashes", "C:\\ A.MPG B.MPG", 1, "C:\\\\A.MPG"},
        {"an index past the list", "C:\\CLIPS A.MPG B.DAT", 3, ""},
        {"index 0 names no file", "C:\\CLIPS A.MPG B.DAT", 0, ""},
    };
    for (Case const& c : cases) {
        char path[player::path_size];
        player::item_path(c.selection, c.index, path);
        EXPECT_STREQ(path, c.path) << c.name;
    }
}

TEST(ItemPath, is_cut_at_127_characters) {
    const std::string folder = "C:\\" + std::string(120, 'F');
    const std::string selection = folder + " ABCDEFGH.MPG SECOND.MPG";
    char path[player::path_size];
    player::item_path(selection.c_str(), 1, path);
    EXPECT_EQ(std::strlen(path), 127u);
    EXPECT_EQ(std::string(path), (folder + "\\ABCDEFGH.MPG").substr(0, 127));

    const std::string single(300, 'X');
    player::item_path(single.c_str(), 1, path);
    EXPECT_EQ(std::strlen(path), 127u);
}

TEST(CountItems, counts_the_spaces_or_one) {
    struct Case {
        char const* selection;
        std::int32_t count;
    };
    const Case cases[] = {{"C:\\CLIPS\\A.MPG", 1}, {"C:\\CLIPS A.MPG B.DAT C.AVI", 3}, {"", 1}};
    for (Case const& c : cases) {
        std::strcpy(player::state.selected_files, c.selection);
        player::state.item_index = 5;
        player::count_items();
        EXPECT_EQ(player::state.item_count, c.count) << c.selection;
        EXPECT_EQ(player::state.item_index, 0);
    }
}

TEST(SelectFiles, writes_the_files_as_the_dialog_gives_a_selection) {
    struct Case {
        char const* name;
        std::vector<std::string> paths;
        char const* selection;
        std::vector<std::string> left_out;
    };
    const std::string deep = "C:\\" + std::string(120, 'F') + "\\SUB";
    const Case cases[] = {
        {"one file: its path", {"C:\\CLIPS\\A.MPG"}, "C:\\CLIPS\\A.MPG", {}},
        {"one folder", {"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT"}, "C:\\CLIPS A.MPG B.DAT", {}},
        {"folders below the shared one", {"Z:\\HOME\\U\\A\\X.MPG", "Z:\\HOME\\U\\B\\Y.AVI", "Z:\\HOME\\U\\Z.MPG"},
         "Z:\\HOME\\U A\\X.MPG B\\Y.AVI Z.MPG", {}},
        {"folders compared without regard to case", {"C:\\Clips\\A.MPG", "c:\\CLIPS\\B.MPG"}, "C:\\Clips A.MPG B.MPG", {}},
        {"the root folder, as the dialog writes it", {"C:\\A.MPG", "C:\\SUB\\B.MPG"}, "C:\\ A.MPG SUB\\B.MPG", {}},
        {"another drive than the first's", {"C:\\A.MPG", "D:\\B.MPG", "C:\\C.MPG"}, "C:\\ A.MPG C.MPG", {"D:\\B.MPG"}},
        {"no file name", {"C:", "C:\\A.MPG"}, "C:\\A.MPG", {"C:"}},
        {"an item past 127 characters", {deep + "\\A.MPG", "C:\\B.MPG"}, "C:\\ B.MPG", {deep + "\\A.MPG"}},
        {"one file past 127 characters", {deep + "\\LONGNAME.MPG"}, "", {deep + "\\LONGNAME.MPG"}},
        {"nothing", {}, "", {}},
    };
    for (Case const& c : cases) {
        std::strcpy(player::state.selected_files, "OLD");
        EXPECT_EQ(player::select_files(c.paths), c.left_out) << c.name;
        EXPECT_STREQ(player::state.selected_files, c.selection) << c.name;
    }
}

TEST(SelectFiles, keeps_what_fits_in_the_selection_and_each_item_is_found_again) {
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i)
        paths.push_back("Z:\\HOME\\U\\MOVIES\\" + std::to_string(10000000 + i) + ".MPG");
    const std::vector<std::string> left_out = player::select_files(paths);
    const std::size_t kept = paths.size() - left_out.size();
    EXPECT_LT(std::strlen(player::state.selected_files), std::size_t(player::selection_size));
    EXPECT_GT(kept, 100u);
    EXPECT_EQ(left_out.front(), paths[kept]) << "the files that do not fit are the last ones";
    player::count_items();
    EXPECT_EQ(player::state.item_count, std::int32_t(kept));
    for (std::int32_t index : {1, 2, std::int32_t(kept)}) {
        char path[player::path_size];
        player::item_path(player::state.selected_files, index, path);
        EXPECT_EQ(path, paths[index - 1]);
    }
}

class PlayList : public DispatchFixture {
  protected:
    static std::string indicator() { return std::string(player::state.status_text).substr(15); }

    std::string open_command_for(std::string const& path) const {
        return "open " + path + " type MPEGMovie alias xyzmpeg parent " + main_window_number() +
               " style popup wait";
    }

    void open_three() {
        make_files({"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.MPG", "C:\\CLIPS\\C.MPG"});
        choose({"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.MPG", "C:\\CLIPS\\C.MPG"});
        command(506);
    }
};

TEST_F(PlayList, one_file_opens_as_item_1_of_1_and_delete_and_insert_restart_it_without_reopening) {
    make_files({"C:\\CLIPS\\A.MPG"});
    choose({"C:\\CLIPS\\A.MPG"});
    command(506);
    ASSERT_TRUE(player::state.media_open);
    EXPECT_EQ(player::state.item_count, 1);
    EXPECT_EQ(indicator(), " 01/01");
    EXPECT_TRUE(was_sent(open_command_for("C:\\CLIPS\\A.MPG")));

    for (WORD key : {WORD(523), WORD(524)}) {
        forget_commands();
        command(key);
        const auto sent = commands_sent();
        ASSERT_GE(sent.size(), 2u) << key;
        EXPECT_EQ(sent[0], "seek xyzmpeg to 0 wait");
        EXPECT_EQ(sent[1], "play xyzmpeg repeat");
        for (std::string const& line : sent)
            EXPECT_TRUE(line.rfind("open ", 0) != 0 && line.rfind("close ", 0) != 0) << line;
        EXPECT_EQ(indicator(), " 01/01");
    }
}

TEST_F(PlayList, three_files_wrap_around_both_ways) {
    open_three();
    EXPECT_STREQ(player::state.current_path, "C:\\CLIPS\\A.MPG");
    EXPECT_EQ(indicator(), " 01/03");

    struct Step {
        WORD key;
        char const* path;
        char const* indicator;
    };
    const Step steps[] = {
        {523, "C:\\CLIPS\\B.MPG", " 02/03"}, {523, "C:\\CLIPS\\C.MPG", " 03/03"},
        {523, "C:\\CLIPS\\A.MPG", " 01/03"}, {524, "C:\\CLIPS\\C.MPG", " 03/03"},
        {524, "C:\\CLIPS\\B.MPG", " 02/03"},
    };
    for (Step const& step : steps) {
        forget_commands();
        command(step.key);
        EXPECT_STREQ(player::state.current_path, step.path) << step.key;
        EXPECT_EQ(indicator(), step.indicator);
        const auto sent = commands_sent();
        ASSERT_GE(sent.size(), 2u);
        EXPECT_EQ(sent[0], "close xyzmpeg wait") << "the previous file is closed first";
        EXPECT_EQ(sent[1], open_command_for(step.path));
    }
}

TEST_F(PlayList, files_of_a_root_folder_are_opened_with_a_double_backslash) {
    make_files({"C:\\A.MPG", "C:\\B.MPG"});
    choose({"C:\\A.MPG", "C:\\B.MPG"});
    command(506);
    EXPECT_STREQ(player::state.selected_files, "C:\\ A.MPG B.MPG");
    EXPECT_STREQ(player::state.current_path, "C:\\\\A.MPG");
    EXPECT_TRUE(was_sent(open_command_for("C:\\\\A.MPG")));
    ASSERT_TRUE(player::state.media_open);
}

TEST_F(PlayList, cancelling_the_dialog_leaves_the_open_medium_open_but_stopped) {
    make_files({"C:\\CLIPS\\A.MPG"});
    choose({"C:\\CLIPS\\A.MPG"});
    command(506);
    ASSERT_TRUE(player::state.playing);
    forget_commands();

    cancel_dialog();
    command(506);
    EXPECT_TRUE(player::state.media_open);
    EXPECT_FALSE(player::state.playing);
    EXPECT_STREQ(player::state.current_path, "C:\\CLIPS\\A.MPG");
    EXPECT_EQ(commands_sent(), std::vector<std::string>{"stop xyzmpeg wait"});
    EXPECT_TRUE(responder.message_boxes.empty());
}

TEST_F(PlayList, a_selection_too_long_for_2048_characters_shows_the_dialog_error_and_opens_nothing) {
    std::vector<std::string> files;
    for (int i = 0; i < 200; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "C:\\MANY\\F%07d.MPG", i);
        prefix.write(name, "");
        files.push_back(name);
    }
    choose(files);
    command(506);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "WARNING");
    EXPECT_EQ(responder.message_boxes[0].text, "GetOpenFileName returned Error #12291");
    EXPECT_EQ(responder.message_boxes[0].style, MB_ICONERROR);
    EXPECT_STREQ(player::state.selected_files, "")
        << "the size the dialog wanted is not taken for a selection";
    EXPECT_FALSE(player::state.media_open);
    for (std::string const& sent : commands_sent())
        EXPECT_NE(sent.rfind("open ", 0), 0u) << sent;
}

TEST_F(PlayList, the_dialog_is_asked_as_the_player_specifies_it) {
    cancel_dialog();
    command(506);
    ASSERT_EQ(responder.open_file_requests.size(), 1u);
    EXPECT_EQ(responder.open_file_requests[0].title, "Open File (Notice: MultiSelection Available)");
    EXPECT_EQ(responder.open_file_requests[0].flags, 0x1A00u);
    ASSERT_EQ(responder.open_file_requests[0].filters.size(), 2u);
    EXPECT_EQ(responder.open_file_requests[0].filters[0].first,
              "movie file (*.mpg;*.dat;*.avi;*.mov;*.flc;*.fli )");
    EXPECT_EQ(responder.open_file_requests[0].filters[1].second, "*.*");
    EXPECT_EQ(responder.open_file_requests[0].default_extension, "*");
}

TEST_F(PlayList, a_file_of_the_list_that_fails_to_open_leaves_the_window_as_a_failed_open_command_does) {
    make_files({"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\MISSING.MPG", "C:\\CLIPS\\C.MPG"});
    // What the window shows after an open command whose file fails: nothing open.
    choose({"C:\\CLIPS\\MISSING.MPG"});
    command(506);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    pump_pending();
    const QImage nothing_open = grab_main_window();
    ASSERT_EQ(nothing_open.size(), QSize(368, 372));

    choose({"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\MISSING.MPG", "C:\\CLIPS\\C.MPG"});
    command(506);
    ASSERT_TRUE(player::state.media_open);
    ASSERT_NE(player::state.video_window, nullptr);
    player::state.position_ms = 15000; // the readouts of A show 16 %
    player::redraw_panel(player::state.status_text, player::panel_part::all);

    command(523); // the next file, which fails
    ASSERT_EQ(responder.message_boxes.size(), 2u);
    EXPECT_EQ(responder.message_boxes[1].text, "Error: open MPEGMovie device with C:\\CLIPS\\MISSING.MPG");
    EXPECT_FALSE(player::state.media_open);
    EXPECT_EQ(player::state.video_window, nullptr);
    EXPECT_STREQ(player::state.status_text, "");
    EXPECT_EQ(player::state.length_ms, 1);
    pump_pending();
    const QImage shown = grab_main_window();
    ASSERT_EQ(shown.size(), nothing_open.size());
    EXPECT_TRUE(shown == nothing_open) << "A's picture area, name, lamp and readouts are gone";
}

} // namespace
