// The panel under a real pointer: slider arithmetic at the ends of both bars, press, drag and
// release on the sliders, click-to-play, a drag that moves the window, the right button, and the
// owner-drawn buttons acting on release, also when the pointer slid off the held button.
#include "DispatchFixture.h"

#include "core/PanelInput.h"
#include "core/PanelLayout.h"
#include "ops/Transport.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

using namespace player_test;

TEST(SliderArithmetic, ends_of_the_bars) {
    struct Case {
        char const* name;
        std::int32_t value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"position at x 43 is 0", player::position_at(43, 90000), 0},
        {"position at x 162 is the length", player::position_at(162, 90000), 90000},
        {"position in between truncates", player::position_at(102, 90000), 59 * 90000 / 119},
        {"position left of the bar is held at 0", player::position_at(10, 90000), 0},
        {"position right of the bar is held at the length", player::position_at(300, 90000), 90000},
        {"a long medium does not wrap", player::position_at(162, 2000000000), 2000000000},
        {"volume pressed at x 202 is 999", player::volume_pressed_at(202), 999},
        {"volume pressed at x 171 is 0", player::volume_pressed_at(171), 0},
        {"volume dragged to x 202 is 1000", player::volume_dragged_at(202), 1000},
        {"volume dragged past the bar is held at 1000", player::volume_dragged_at(400), 1000},
        {"volume dragged left of the bar is held at 0", player::volume_dragged_at(100), 0},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.name;
}

class Panel : public DispatchFixture {
  protected:
    void open_medium() {
        make_files({"C:\\CLIPS\\A.MPG"});
        choose({"C:\\CLIPS\\A.MPG"});
        command(506);
        ASSERT_TRUE(player::state.media_open);
        ASSERT_EQ(player::state.length_ms, 90000);
        forget_commands();
    }

    // A mouse event at client point (x, y) of the main window, delivered to whatever window is
    // there (the main window or a panel button), then the program's loop.
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* main = host::window_widget(player::windows.main_window);
        ASSERT_NE(main, nullptr);
        QWidget* target = m_grabbed ? m_grabbed : main->childAt(x, y);
        if (!target)
            target = main;
        const QPoint at = target->mapFrom(main, QPoint(x, y));
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, modifiers);
        QApplication::sendEvent(target, &event);
        if (type == QEvent::MouseButtonPress)
            m_grabbed = target; // the pointer's events go where the press went, as Qt delivers them
        if (type == QEvent::MouseButtonRelease)
            m_grabbed = nullptr;
        pump_pending();
    }
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, x, y, button, button);
    }
    void move(int x, int y, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        mouse(QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    void release(int x, int y) { mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton); }
    void click(int x, int y) {
        press(x, y);
        release(x, y);
    }

    QWidget* m_grabbed = nullptr;
};

TEST_F(Panel, dragging_the_position_knob_stops_play_seeks_as_it_moves_and_plays_on_release) {
    open_medium();
    ASSERT_TRUE(player::state.playing);
    press(43, 45);
    EXPECT_EQ(player::state.position_ms, 0);
    EXPECT_TRUE(player::slider_drag.position);
    EXPECT_TRUE(player::panel_look.position_knob_pressed);
    EXPECT_FALSE(player::state.playing);
    EXPECT_EQ(commands_sent().front(), "stop xyzmpeg wait");

    forget_commands();
    move(102, 45);
    EXPECT_EQ(player::state.position_ms, 59 * 90000 / 119);
    EXPECT_EQ(commands_sent(), std::vector<std::string>{"seek xyzmpeg to 44621 wait"});

    forget_commands();
    release(162, 45);
    EXPECT_EQ(player::state.position_ms, 90000);
    EXPECT_FALSE(player::slider_drag.position);
    EXPECT_FALSE(player::panel_look.position_knob_pressed);
    EXPECT_TRUE(player::state.playing);
    const auto sent = commands_sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "seek xyzmpeg to 90000 wait");
    EXPECT_EQ(sent[1], "play xyzmpeg repeat");
}

TEST_F(Panel, the_volume_bar_gives_999_on_a_press_at_its_end_and_1000_on_the_release_there) {
    open_medium();
    press(202, 44);
    EXPECT_EQ(player::state.volume, 999);
    EXPECT_TRUE(player::slider_drag.volume);
    EXPECT_TRUE(player::panel_look.volume_knob_pressed);

    forget_commands();
    release(202, 44);
    EXPECT_EQ(player::state.volume, 1000);
    EXPECT_FALSE(player::slider_drag.volume);
    EXPECT_EQ(commands_sent().front(), "setaudio xyzmpeg volume to 1000 wait");
    EXPECT_TRUE(player::state.playing);
}

TEST_F(Panel, a_move_with_shift_held_or_without_a_drag_does_nothing) {
    open_medium();
    press(43, 45);
    forget_commands();
    move(100, 45, Qt::ShiftModifier);
    EXPECT_TRUE(commands_sent().empty());
    EXPECT_EQ(player::state.position_ms, 0);
    release(43, 45);

    forget_commands();
    move(100, 45);
    EXPECT_TRUE(commands_sent().empty());
}

TEST_F(Panel, a_click_elsewhere_on_the_panel_plays_and_the_right_button_stops) {
    open_medium();
    press(150, 60, Qt::RightButton);
    EXPECT_FALSE(player::state.playing);
    EXPECT_EQ(commands_sent().front(), "stop xyzmpeg wait");
    release(150, 60);

    forget_commands();
    click(150, 60);
    EXPECT_TRUE(player::state.playing);
    EXPECT_EQ(commands_sent().front(), "play xyzmpeg repeat");
}

TEST_F(Panel, a_drag_from_the_panels_empty_area_moves_the_window_and_plays_nothing) {
    open_medium();
    player::stop();
    forget_commands();
    QWidget* main = host::window_widget(player::windows.main_window);
    const QPoint before = main->pos();
    press(150, 60);
    move(152, 61); // within the drag distance: still a click
    EXPECT_EQ(main->pos(), before);
    move(160, 62);
    move(200, 100);
    release(200, 100);
    EXPECT_EQ(main->pos(), before + QPoint(50, 40));
    EXPECT_EQ(player::state.window_x, before.x() + 50);
    EXPECT_EQ(player::state.window_y, before.y() + 40);
    EXPECT_FALSE(player::state.playing);
    EXPECT_TRUE(commands_sent().empty());
}

TEST_F(Panel, with_nothing_open_the_panel_ignores_the_mouse_but_a_press_still_ends_a_drag) {
    player::slider_drag.position = true; // a release outside the window left it set
    press(43, 45);
    EXPECT_FALSE(player::slider_drag.position);
    move(100, 45);
    release(100, 45);
    press(150, 60, Qt::RightButton);
    EXPECT_TRUE(commands_sent().empty());
    EXPECT_EQ(player::state.position_ms, 0);
}

TEST_F(Panel, a_button_acts_when_released_on_it_and_also_when_the_pointer_slid_off_it) {
    open_medium();
    // Button 1004, "go to next file(or track)": a single file restarts from 0.
    press(115, 18);
    EXPECT_TRUE(commands_sent().empty()) << "nothing happens on the press";
    release(115, 18);
    ASSERT_FALSE(commands_sent().empty());
    EXPECT_EQ(commands_sent().front(), "seek xyzmpeg to 0 wait");

    forget_commands();
    press(115, 18);
    move(200, 60); // off the held button
    ASSERT_FALSE(commands_sent().empty()) << "leaving the held button is a release";
    EXPECT_EQ(commands_sent().front(), "seek xyzmpeg to 0 wait");
    release(200, 60);
}

TEST_F(Panel, button_1007_does_nothing_on_release_or_when_slid_off) {
    open_medium();
    press(310, 42);
    release(310, 42);
    press(310, 42);
    move(200, 60);
    release(200, 60);
    EXPECT_TRUE(commands_sent().empty());
    EXPECT_TRUE(player::state.playing);
    EXPECT_TRUE(menus_shown.empty());
    EXPECT_FALSE(player::state.exit_requested);
}

TEST_F(Panel, the_open_only_buttons_do_nothing_without_a_medium_and_the_others_act) {
    click(46, 18);  // 1001 play
    click(92, 18);  // 1003 stop
    click(115, 18); // 1004 next
    click(310, 18); // 1010 full size
    EXPECT_TRUE(commands_sent().empty());
    EXPECT_FALSE(player::state.full_size);

    click(19, 42); // 1013 the device menu
    EXPECT_EQ(menus_shown.size(), 1u);
    player::state.idle = false; // as during a series capture: ESC would only break it
    click(337, 42);             // 1012 exit, without looking at `idle`
    EXPECT_TRUE(player::state.exit_requested);
}

} // namespace
