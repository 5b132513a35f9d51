// The video window: a real host window the program can move, restyle and embed, showing the
// engine's pictures scaled to it.

#include "VideoTestSupport.h"

#include "MediaFixtures.h"

#include "host/DialogResponder.h"

#include <filesystem>

#include <QImage>
#include <QWidget>

using namespace video_test;
using namespace std::chrono_literals;

namespace {

LRESULT plain_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A program's main window.
HWND make_main_window() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = plain_procedure;
    window_class.lpszClassName = "VideoTestMain";
    RegisterClassA(&window_class);
    return CreateWindowExA(0, "VideoTestMain", "main", WS_POPUP, 10, 10, 500, 400, nullptr, nullptr, nullptr,
                           nullptr);
}

class VideoWindows : public VideoDeviceTest {
  protected:
    HWND window_handle() {
        long long value = number("status xyzmpeg window handle wait");
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
    }
    // The colour at the centre of what the window shows, once a picture has arrived.
    QColor centre_colour(HWND hwnd) {
        QColor colour;
        pump_until([&] {
            QImage image = host::window_widget(hwnd)->grab().toImage();
            colour = image.pixelColor(image.width() / 2, image.height() / 2);
            return colour.red() > 200;
        });
        return colour;
    }
};

TEST_F(VideoWindows, popup_window_is_a_hidden_host_window_of_the_source_size) {
    HWND main = make_main_window();
    std::string path = install(Clip::Mpeg1, "CLIP01.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg parent " +
                   std::to_string(reinterpret_cast<std::uintptr_t>(main)) + " style popup wait"),
              0u);
    long long handle = number("status xyzmpeg window handle wait");
    ASSERT_GT(handle, 0);
    EXPECT_LT(handle, 1LL << 31) << "the player keeps it in a 32-bit integer";
    QWidget* widget = host::window_widget(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle)));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_FALSE(widget->isVisible());
    EXPECT_EQ(widget->size(), QSize(320, 240));
    EXPECT_EQ(send("status xyzmpeg window visible"), 0u);
    EXPECT_EQ(reply, "false");
    ASSERT_EQ(send("play xyzmpeg"), 0u);
    EXPECT_TRUE(widget->isVisible()) << "play shows the window, as MCIAVI";
    ASSERT_EQ(send("close xyzmpeg wait"), 0u);
    EXPECT_EQ(host::window_widget(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle))), nullptr);
    DestroyWindow(main);
}

TEST_F(VideoWindows, parent_and_child_style_embed_the_window_in_the_parent) {
    HWND main = make_main_window();
    std::string path = install(Clip::Avi, "CLIP.AVI");
    ASSERT_EQ(send("open " + path + " type avivideo alias xyzmpeg parent " +
                   std::to_string(reinterpret_cast<std::uintptr_t>(main)) + " style child"),
              0u);
    QWidget* widget = host::window_widget(window_handle());
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->isWindow());
    EXPECT_EQ(widget->parentWidget(), host::window_widget(main));
    EXPECT_EQ(send("open " + path + " type avivideo alias orphan style child"), MCIERR_CREATEWINDOW)
        << "a child window needs a parent";
    DestroyWindow(main);
    EXPECT_EQ(send("status xyzmpeg window handle"), MCIERR_NO_WINDOW) << "destroyed with its parent";
    EXPECT_EQ(send("status xyzmpeg mode"), 0u) << "the device carries on without it";
}

TEST_F(VideoWindows, player_restyles_moves_and_shows_the_window) {
    std::string path = install(Clip::Mpeg1, "CLIP01.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg style popup"), 0u);
    HWND hwnd = window_handle();
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_CHILD));
    MoveWindow(hwnd, 40, 50, 640, 480, TRUE);
    EXPECT_EQ(send("where xyzmpeg window"), 0u);
    EXPECT_EQ(reply, "40 50 640 480");
    EXPECT_EQ(send("where xyzmpeg destination"), 0u);
    EXPECT_EQ(reply, "0 0 640 480") << "the picture follows the window";
    EXPECT_EQ(send("where xyzmpeg source"), 0u);
    EXPECT_EQ(reply, "0 0 320 240");
    ASSERT_EQ(send("put xyzmpeg window at 5 6 160 120"), 0u);
    EXPECT_EQ(send("where xyzmpeg window"), 0u);
    EXPECT_EQ(reply, "5 6 160 120");
    ASSERT_EQ(send("window xyzmpeg state show"), 0u);
    EXPECT_EQ(send("status xyzmpeg window visible"), 0u);
    EXPECT_EQ(reply, "true");
    ASSERT_EQ(send("window xyzmpeg state hide"), 0u);
    EXPECT_EQ(send("status xyzmpeg window visible"), 0u);
    EXPECT_EQ(reply, "false");
    ASSERT_EQ(send("window xyzmpeg text \"My clip\""), 0u);
    EXPECT_EQ(send("info xyzmpeg window text"), 0u);
    EXPECT_EQ(reply, "My clip");
    EXPECT_EQ(send("put xyzmpeg source at 0 0 999 999"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("put xyzmpeg destination at 0 0 0 0"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("window xyzmpeg handle 12345"), MCIERR_NO_WINDOW);
}

TEST_F(VideoWindows, window_shows_the_picture_scaled_to_its_size) {
    std::string path = install(Clip::Red, "RED.AVI");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg style popup"), 0u);
    HWND hwnd = window_handle();
    QColor colour = centre_colour(hwnd);
    EXPECT_GT(colour.red(), 200);
    EXPECT_LT(colour.green(), 60);
    MoveWindow(hwnd, 0, 0, 400, 300, TRUE);
    ASSERT_EQ(send("seek xyzmpeg to 500 wait"), 0u);
    QImage image;
    pump_until([&] {
        image = host::window_widget(hwnd)->grab().toImage();
        return image.size() == QSize(400, 300) && image.pixelColor(390, 290).red() > 200;
    });
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_GT(image.pixelColor(390, 290).red(), 200) << "the picture fills the larger window";
}

TEST_F(VideoWindows, window_handle_redirects_the_picture_into_the_programs_window) {
    HWND main = make_main_window();
    std::string path = install(Clip::Red, "RED.AVI");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg"), 0u);
    ASSERT_EQ(send("window xyzmpeg handle " + std::to_string(reinterpret_cast<std::uintptr_t>(main))), 0u);
    EXPECT_EQ(send("where xyzmpeg destination"), 0u);
    EXPECT_EQ(reply, "0 0 500 400");
    ASSERT_EQ(send("seek xyzmpeg to 200 wait"), 0u);
    EXPECT_GT(centre_colour(main).red(), 200);
    ASSERT_EQ(send("window xyzmpeg handle default"), 0u);
    EXPECT_EQ(send("where xyzmpeg destination"), 0u);
    EXPECT_EQ(reply, "0 0 160 120");
    DestroyWindow(main);
}

TEST_F(VideoWindows, animation_device_plays_an_flc_file_frame_by_frame) {
    // 64x48, ten frames of 100 ms; frame i is palette colour 20 * i + 10, colour c = (c, 255 - c, c / 2).
    std::string source = media::test::flc_animation(10);
    ASSERT_FALSE(source.empty());
    std::filesystem::create_directories(prefix.drive_c() / "ANIM");
    std::filesystem::copy_file(source, prefix.drive_c() / "ANIM" / "TEN.FLC");
    ASSERT_EQ(send("open C:\\ANIM\\TEN.FLC alias xyzmpeg style popup wait"), 0u)
        << "by WIN.INI flc=Animation1";
    EXPECT_EQ(send("sysinfo xyzmpeg installname"), 0u);
    EXPECT_EQ(reply, "Animation1");
    EXPECT_EQ(number("status xyzmpeg length"), 10);
    EXPECT_EQ(number("status xyzmpeg nominal frame rate"), 10000);
    EXPECT_EQ(send("where xyzmpeg source"), 0u);
    EXPECT_EQ(reply, "0 0 64 48");
    ASSERT_EQ(send("seek xyzmpeg to 5 wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 5);
    HWND hwnd = window_handle();
    QColor colour;
    pump_until([&] {
        QImage image = host::window_widget(hwnd)->grab().toImage();
        colour = image.pixelColor(32, 24);
        return colour.red() > 100 && colour.red() < 120;
    });
    EXPECT_NEAR(colour.red(), 110, 8);
    EXPECT_NEAR(colour.green(), 145, 8);
    EXPECT_NEAR(colour.blue(), 55, 8);
    ASSERT_EQ(send("play xyzmpeg wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg position"), 10);
}

TEST_F(VideoWindows, configure_shows_the_devices_settings_in_a_box) {
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scope(responder);
    std::string path = install(Clip::Mpeg1, "CLIP01.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg"), 0u);
    ASSERT_EQ(send("configure xyzmpeg"), 0u);
    ASSERT_EQ(responder.message_boxes.size(), 1u);
    EXPECT_EQ(responder.message_boxes[0].caption, "ActiveMovie Configuration");
    EXPECT_NE(responder.message_boxes[0].text.find("320 x 240, 25.0 frames per second"), std::string::npos);
    EXPECT_EQ(send("configure xyzmpeg test"), 0u);
    EXPECT_EQ(responder.message_boxes.size(), 1u);
}

} // namespace
