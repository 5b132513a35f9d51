// Bitmaps, memory device contexts, BitBlt and DrawTextA, checked on the images windows show.
#include "RecordingWindow.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace {

// A 4 x 2 test bitmap: each pixel a colour of its own.
QImage test_bitmap() {
    QImage image(4, 2, QImage::Format_Indexed8);
    image.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, static_cast<uint>((x + y) % 4));
    return image;
}

class Painting : public ::testing::Test {
  protected:
    void SetUp() override {
        register_recording_class("P_Main");
        host::register_resource_loader(
            {[](std::string const& name) { return name == "#554" ? test_bitmap() : QImage(); },
             [](std::string const& name) {
                 QImage icon(32, 32, QImage::Format_ARGB32);
                 icon.fill(Qt::blue);
                 return name == "MPEGIcon" ? icon : QImage();
             },
             nullptr});
        m_window = CreateWindowExA(0, "P_Main", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                   nullptr, nullptr);
        pump_pending();
    }
    void TearDown() override { DestroyWindow(m_window); }

    QImage shown() const { return host::window_widget(m_window)->grab().toImage(); }

    HWND m_window = nullptr;
};

} // namespace

TEST_F(Painting, load_bitmap_by_number_and_get_object_reads_its_size) {
    const HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(554));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.bmWidth, 4);
    EXPECT_EQ(description.bmHeight, 2);
    EXPECT_EQ(GetObjectA(bitmap, 4, &description), 0) << "a buffer too small is refused";
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(555)), nullptr);
    EXPECT_NE(LoadIconA(nullptr, "MPEGIcon"), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, "MPEGIcon"), LoadIconA(nullptr, "MPEGIcon"));
    EXPECT_EQ(LoadIconA(nullptr, "Unknown"), nullptr);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
}

TEST_F(Painting, bitblt_copies_bitmap_pixels_into_the_window_outside_wm_paint) {
    const HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(554));
    const HDC window_dc = GetDC(m_window);
    const HDC memory = CreateCompatibleDC(window_dc);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    ASSERT_NE(previous, nullptr);
    // The right 3 x 2 of the bitmap to (10, 20); one more column than exists is not copied.
    ASSERT_TRUE(BitBlt(window_dc, 10, 20, 4, 2, memory, 1, 0, SRCCOPY));
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(m_window, window_dc);

    const QImage image = shown();
    EXPECT_EQ(image.pixelColor(10, 20), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(11, 20), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(12, 20), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(10, 21), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(13, 20), QColor(Qt::black)) << "the background where the source had no pixel";
    EXPECT_EQ(image.pixelColor(9, 20), QColor(Qt::black));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Painting, a_bitmap_is_selected_into_one_memory_context_at_a_time_and_not_deleted_while_selected) {
    const HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(554));
    const HDC first = CreateCompatibleDC(nullptr);
    const HDC second = CreateCompatibleDC(nullptr);
    ASSERT_NE(SelectObject(first, bitmap), nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    const HDC window_dc = GetDC(m_window);
    EXPECT_EQ(SelectObject(window_dc, bitmap), nullptr) << "a window's context has no bitmap to swap";
    ReleaseDC(m_window, window_dc);
    DeleteDC(first);
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(second);
    EXPECT_FALSE(BitBlt(first, 0, 0, 1, 1, second, 0, 0, SRCCOPY)) << "deleted contexts are refused";
}

TEST_F(Painting, begin_paint_draws_only_inside_the_update_region) {
    Recorder::current().answer = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT paint;
        const HDC hdc = BeginPaint(hwnd, &paint);
        const HDC memory = CreateCompatibleDC(hdc);
        const HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(554));
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        for (int y = 0; y < 40; y += 2)
            for (int x = 0; x < 60; x += 4)
                BitBlt(hdc, x, y, 4, 2, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
        EndPaint(hwnd, &paint);
        return 0;
    };
    RECT area{0, 0, 8, 4};
    InvalidateRect(m_window, &area, FALSE);
    pump_pending();
    const QImage image = shown();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(5, 3), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::black)) << "outside the invalidated rectangle";
}

TEST_F(Painting, draw_text_in_transparent_mode_leaves_the_background_and_uses_the_text_colour) {
    const HDC hdc = GetDC(m_window);
    EXPECT_EQ(SetBkMode(hdc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(hdc, RGB(0, 255, 255)), RGB(0, 0, 0));
    RECT box{2, 2, 58, 38};
    const int height = DrawTextA(hdc, "\nMMMM", -1, &box, 0);
    ReleaseDC(m_window, hdc);
    EXPECT_GT(height, 0);

    const QImage image = shown();
    const int line = height / 2;
    int cyan = 0, other = 0, blended = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(Qt::black))
                continue;
            if (c.red() == 0 && c.green() > 0 && c.green() == c.blue())
                ++cyan;
            else
                ++other;
            if (c != QColor(0, 255, 255))
                ++blended;
            EXPECT_GE(y, 2 + line) << "the first line is empty, so nothing is drawn above the second";
        }
    EXPECT_GT(cyan, 10);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(blended, 0) << "the system font is drawn as a bitmap font: no anti-aliased edges";
}

TEST_F(Painting, a_presented_video_frame_fills_the_window_scaled) {
    QImage frame(2, 1, QImage::Format_RGB32);
    frame.setPixelColor(0, 0, Qt::red);
    frame.setPixelColor(1, 0, Qt::blue);
    ASSERT_TRUE(host::present_frame(m_window, frame));
    const QImage image = shown();
    EXPECT_EQ(image.pixelColor(5, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(55, 20), QColor(Qt::blue));
    EXPECT_FALSE(host::present_frame(nullptr, frame));
    EXPECT_FALSE(host::present_frame(m_window, QImage()));
}
