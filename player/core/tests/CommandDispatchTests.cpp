// The command dispatch: each command id reaching its operation, the commands that need an open
// medium ignored without one, ESC breaking a long operation before it ends the player, and the
// accelerator table "MPEGACCE" turning real key events into those commands.
#include "DispatchFixture.h"

#include "core/CommandDispatch.h"
#include "core/MessageLoop.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

using namespace player_test;

class Dispatch : public DispatchFixture {
  protected:
    // A file of 90 s, open and playing.
    void open_medium() {
        make_files({"C:\\CLIPS\\A.MPG"});
        choose({"C:\\CLIPS\\A.MPG"});
        command(506);
        ASSERT_TRUE(player::state.media_open);
        ASSERT_TRUE(player::state.playing);
        ASSERT_EQ(player::state.length_ms, 90000);
        forget_commands();
    }

    // Presses and releases a key on the main window and runs the program's loop over the result.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* widget = host::window_widget(player::windows.main_window);
        ASSERT_NE(widget, nullptr);
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(widget, &down);
        QApplication::sendEvent(widget, &up);
        for (int i = 0; i < 20; ++i)
            player::pump_one_message();
    }
};

// With a medium open, each command sends its operation's first MCI command.
TEST_F(Dispatch, each_command_reaches_its_operation) {
    struct Case {
        WORD id;
        char const* first_command;
    };
    const Case cases[] = {
        {503, "play xyzmpeg repeat"},
        {505, "pause xyzmpeg"},
        {508, "seek xyzmpeg to 25000 wait"},
        {509, "seek xyzmpeg to 0 wait"},
        {510, "play xyzmpeg slow"},
        {511, "play xyzmpeg fast"},
        {512, "stop xyzmpeg wait"}, // step play stops normal play, then steps
        {516, "seek xyzmpeg to end wait"},
        {517, "seek xyzmpeg to start wait"},
        {525, "stop xyzmpeg wait"}, // configure: stop, then "configure xyzmpeg"
        {526, "stop xyzmpeg wait"}, // playing: the toggle stops
        {543, "play xyzmpeg repeat"},
        {551, "setaudio xyzmpeg left off wait"},
        {556, "setaudio xyzmpeg volume to 1000 wait"},
        {557, "setaudio xyzmpeg volume to 900 wait"},
        {1301, "seek xyzmpeg to 9000 wait"},
        {1305, "seek xyzmpeg to 45000 wait"},
        {1309, "seek xyzmpeg to 81000 wait"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.id);
        open_medium();
        command(c.id);
        const auto sent = commands_sent();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent[0], c.first_command);
    }
}

TEST_F(Dispatch, commands_that_only_change_settings_work_with_nothing_open) {
    struct Case {
        WORD id;
        std::int32_t time_step_ms;
    };
    const Case steps[] = {{533, 1000}, {534, 2000}, {541, 9000}, {542, 25000}};
    for (Case const& c : steps) {
        command(c.id);
        EXPECT_EQ(player::state.time_step_ms, c.time_step_ms) << c.id;
    }
    command(550);
    EXPECT_TRUE(player::state.fast_view);
    command(551);
    EXPECT_EQ(player::state.audio_mode_counter, 1);
    command(543);
    EXPECT_TRUE(player::state.full_size);
    for (int i = 0; i < 3; ++i)
        command(556);
    EXPECT_EQ(player::state.volume, 1300) << "kept until it is next applied";
    for (std::string const& sent : commands_sent())
        EXPECT_EQ(sent.find("volume"), std::string::npos) << sent;
}

TEST_F(Dispatch, open_only_commands_do_nothing_with_nothing_open) {
    const WORD open_only[] = {503, 505, 508, 509, 510, 511, 512, 516, 517, 523, 524, 525, 526};
    for (WORD id : open_only) {
        command(id);
        EXPECT_TRUE(commands_sent().empty()) << id;
    }
    EXPECT_TRUE(responder.beeps.empty());
    EXPECT_TRUE(responder.open_file_requests.empty());
    EXPECT_FALSE(player::state.playing);
}

TEST_F(Dispatch, ids_that_are_not_commands_do_nothing) {
    // The panel buttons' own notifications, an id between commands, and a submenu id without
    // other devices.
    for (WORD id :
         {WORD(1000), WORD(1012), WORD(1013), WORD(500), WORD(527), WORD(700), WORD(1300), WORD(1310)}) {
        command(id);
        EXPECT_TRUE(commands_sent().empty()) << id;
        EXPECT_FALSE(player::state.exit_requested) << id;
        EXPECT_TRUE(menus_shown.empty()) << id;
    }
}

TEST_F(Dispatch, a_submenu_id_selects_that_other_device) {
    player::state.other_device_count = 2;
    std::strcpy(player::state.other_devices[1].name, "TestVideo");
    player::state.other_devices[1].compound = 0;
    command(701);
    EXPECT_STREQ(player::state.device_type, "TestVideo");
    EXPECT_FALSE(player::state.file_mode);
    EXPECT_TRUE(player::state.media_open);
    EXPECT_TRUE(was_sent("open ==CDI type TestVideo alias xyzmpeg parent " + main_window_number() +
                         " style popup wait"));
}

TEST_F(Dispatch, escape_breaks_a_long_operation_first_and_ends_the_player_second) {
    player::state.idle = false; // a series capture runs
    command(507);
    EXPECT_TRUE(player::state.idle);
    EXPECT_FALSE(player::state.exit_requested);
    command(507);
    EXPECT_TRUE(player::state.exit_requested);
}

TEST_F(Dispatch, keys_reach_their_commands_through_the_accelerator_table) {
    open_medium();
    struct Case {
        char const* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        char const* first_command;
    };
    const Case cases[] = {
        {"PgDn", Qt::Key_PageDown, Qt::NoModifier, "seek xyzmpeg to 25000 wait"},
        {"PgUp", Qt::Key_PageUp, Qt::NoModifier, "seek xyzmpeg to 0 wait"},
        {"DOWN", Qt::Key_Down, Qt::NoModifier, "play xyzmpeg repeat"},
        {"Ctrl+P", Qt::Key_P, Qt::ControlModifier, "play xyzmpeg repeat"},
        {"HOME", Qt::Key_Home, Qt::NoModifier, "seek xyzmpeg to start wait"},
        {"END", Qt::Key_End, Qt::NoModifier, "seek xyzmpeg to end wait"},
        {"RIGHT", Qt::Key_Right, Qt::NoModifier, "play xyzmpeg fast"},
        {"LEFT", Qt::Key_Left, Qt::NoModifier, "play xyzmpeg slow"},
        {"UP", Qt::Key_Up, Qt::NoModifier, "step xyzmpeg by 1 wait"},
        {"PAUSE", Qt::Key_Pause, Qt::NoModifier, "pause xyzmpeg"},
        {"TAB", Qt::Key_Tab, Qt::NoModifier, "setaudio xyzmpeg left off wait"},
        {"keypad -", Qt::Key_Minus, Qt::KeypadModifier, "setaudio xyzmpeg volume to 900 wait"},
        {"Ctrl+5", Qt::Key_5, Qt::ControlModifier, "seek xyzmpeg to 45000 wait"},
        {"DELETE", Qt::Key_Delete, Qt::NoModifier, "seek xyzmpeg to 0 wait"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        player::state.playing = false; // so that UP steps at once and PAUSE pauses
        player::state.unpaused = true;
        player::state.volume = 1000;
        player::state.audio_mode_counter = 0;
        forget_commands();
        press(c.key, c.modifiers);
        const auto sent = commands_sent();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent[0], c.first_command);
    }
}

TEST_F(Dispatch, alt_digits_set_the_time_step_and_ctrl_letters_open_their_commands) {
    press(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(player::state.time_step_ms, 3000);
    press(Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(player::state.time_step_ms, 25000);
    press(Qt::Key_F3);
    EXPECT_TRUE(player::state.fast_view);

    cancel_dialog();
    press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(responder.open_file_requests.size(), 1u);

    press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(menus_shown.size(), 1u);

    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(player::state.media_open);
    EXPECT_STREQ(player::state.device_type, "VCDVideo");
}

TEST_F(Dispatch, ctrl_u_and_ctrl_0_are_not_bound) {
    open_medium();
    press(Qt::Key_U, Qt::ControlModifier);
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(commands_sent().empty());
    EXPECT_TRUE(menus_shown.empty());
    EXPECT_TRUE(player::state.playing);
}

} // namespace
