// The main window as the program creates it: its class, place and size, and what it shows.
#include "PlayerFixture.h"

#include "core/MainWindow.h"
#include "core/PanelPainter.h"
#include "resources/ArtLayout.h"
#include "resources/Resources.h"

#include "host/winmm.h"

#include <QRect>

namespace {

using namespace player_test;
namespace art = player::art;
namespace part = player::panel_part;

// The sprite's pixels as the sheet holds them.
QImage sprite(art::SpriteRect rect) {
    return player::load_bitmap(player::sprite_sheet_id)
        .convertToFormat(QImage::Format_RGB32)
        .copy(rect.x, rect.y, rect.width, rect.height);
}

bool shows_sprite(QImage const& window, art::SpriteRect rect, int x, int y) {
    return window.copy(x, y, rect.width, rect.height) == sprite(rect);
}

class MainWindow : public PlayerFixture {};

TEST_F(MainWindow, is_centred_on_a_640_by_480_screen_at_136_54_with_size_368_by_372) {
    const HWND hwnd = start_player();
    ASSERT_NE(hwnd, nullptr);
    QWidget* widget = host::window_widget(hwnd);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), QRect(136, 54, 368, 372));
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("Reelix Example"));
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(player::state.window_x, 136);
    EXPECT_EQ(player::state.window_y, 54);
    EXPECT_EQ(player::state.screen_width, 640);
    EXPECT_EQ(player::state.screen_height, 480);
}

TEST(MainWindowGeometry, centres_with_truncating_halves) {
    struct Case {
        int screen_width, screen_height, x, y;
    };
    const Case cases[] = {{640, 480, 136, 54},
                          {800, 600, 216, 114},
                          {1024, 768, 328, 198},
                          {369, 373, 0, 0},
                          {301, 301, -33, -35}}; // -67 / 2 is -33, not -34
    for (const Case& c : cases) {
        const auto geometry = player::main_window_geometry(c.screen_width, c.screen_height, 368, 70, 302);
        EXPECT_EQ(geometry.x, c.x) << c.screen_width;
        EXPECT_EQ(geometry.y, c.y) << c.screen_height;
        EXPECT_EQ(geometry.width, 368);
        EXPECT_EQ(geometry.height, 372);
    }
}

TEST_F(MainWindow, shows_panel_backdrop_banner_and_the_buttons_at_start) {
    start_player();
    const QImage shown = grab_main_window();
    ASSERT_EQ(shown.size(), QSize(368, 372));
    const QImage backdrop =
        player::load_bitmap(player::backdrop_bitmap_id).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(0, 70, 368, 302), backdrop);
    const char banner[] = "REELIX V1.64 1998";
    for (int i = 0; banner[i]; ++i)
        EXPECT_TRUE(shows_sprite(shown, art::glyph(art::glyph_index(banner[i])), 148 + 5 * i, 19)) << i;
    for (int id = 1000; id <= 1013; ++id) {
        const auto at = art::button_positions[static_cast<std::size_t>(id - 1000)];
        EXPECT_TRUE(shows_sprite(shown, art::button_normal(id), at.x, at.y)) << id;
    }
}

TEST_F(MainWindow, redraw_panel_puts_knobs_lamps_and_readouts_on_the_screen) {
    start_player();
    auto& state = player::state;
    state.media_open = true;
    state.length_ms = 90000;
    state.position_ms = 45000;
    state.volume = 1000;
    state.playing = true;
    player::redraw_panel(state.status_text, part::all);
    QImage shown = grab_main_window();
    EXPECT_TRUE(shows_sprite(shown, art::position_knob_normal, 43 + 45, 39));
    EXPECT_TRUE(shows_sprite(shown, art::volume_knob_normal, 171 + 18, 40));
    EXPECT_TRUE(shows_sprite(shown, art::glyph(art::glyph_index('5')), 210, 41));
    EXPECT_TRUE(shows_sprite(shown, art::glyph(art::glyph_index('0')), 215, 41));
    EXPECT_TRUE(shows_sprite(shown, art::play_lamp_on, 143, 19));
    EXPECT_TRUE(shows_sprite(shown, art::digit(3), 245, 41)); // 01:30
    const bool first_phase_b = shows_sprite(shown, art::blink_lamp_b, 225, 41);

    // The next tick redraws the bar, the blinker and the lamp: the other phase shows.
    state.position_ms = 90000;
    player::redraw_panel(state.status_text,
                         part::position_bar | part::blink_and_percentage | part::play_lamp);
    shown = grab_main_window();
    EXPECT_TRUE(shows_sprite(shown, art::position_knob_normal, 43 + 90, 39));
    EXPECT_TRUE(shows_sprite(shown, art::glyph(art::glyph_index('9')), 210, 41));
    EXPECT_TRUE(first_phase_b);
    EXPECT_TRUE(shows_sprite(shown, art::blink_lamp_a, 225, 41));
}

TEST_F(MainWindow, text_without_glyphs_leaves_the_text_field_as_it_was) {
    start_player();
    const QImage before = grab_main_window();
    player::redraw_panel("abc", part::text_field);
    EXPECT_EQ(grab_main_window(), before);
}

TEST_F(MainWindow, length_of_74_minutes_reads_74_00) {
    start_player();
    player::state.length_ms = 4440000;
    player::redraw_panel("", part::length_readout);
    const QImage shown = grab_main_window();
    EXPECT_TRUE(shows_sprite(shown, art::digit(7), 230, 41));
    EXPECT_TRUE(shows_sprite(shown, art::digit(4), 235, 41));
    EXPECT_TRUE(shows_sprite(shown, art::colon, 240, 41));
    EXPECT_TRUE(shows_sprite(shown, art::digit(0), 245, 41));
    EXPECT_TRUE(shows_sprite(shown, art::digit(0), 250, 41));
}

TEST_F(MainWindow, with_a_video_window_paints_a_frame_around_the_picture_instead_of_the_backdrop) {
    const HWND hwnd = start_player();
    const HWND video = CreateWindowExA(0, player::help_class_name, "", WS_POPUP, 0, 0, 352, 240, nullptr,
                                       nullptr, nullptr, nullptr);
    player::state.media_open = true;
    player::state.video_window = video;
    player::state.video_height = 240;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    const QImage shown = grab_main_window();
    const QImage backdrop =
        player::load_bitmap(player::backdrop_bitmap_id).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(0, 70, 368, 7), backdrop.copy(0, 0, 368, 7));                 // top strip
    EXPECT_EQ(shown.copy(0, 77, 7, 241), backdrop.copy(0, 7, 7, 241));                 // left strip
    EXPECT_EQ(shown.copy(361, 77, 7, 241), backdrop.copy(361, 7, 7, 241));             // right strip
    EXPECT_EQ(shown.copy(0, 70 + 240 + 8, 368, 7), backdrop.copy(0, 302 - 7, 368, 7)); // bottom strip
    EXPECT_EQ(shown.pixel(184, 200), qRgb(0, 0, 0)); // inside: the class's black, where the video sits
    DestroyWindow(video);
}

TEST_F(MainWindow, refuses_the_screen_saver_while_active) {
    const HWND hwnd = start_player();
    EXPECT_EQ(player::main_window_procedure(hwnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    SetActiveWindow(hwnd);
    EXPECT_EQ(host::screen_saver_blocker(), hwnd);
}

} // namespace
