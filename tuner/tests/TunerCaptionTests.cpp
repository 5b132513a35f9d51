// The tuner's title bar: the gradient caption from black to the caption colour, active and
// inactive, with the icon, the three frame buttons and the caption in white.
#include "TunerFixture.h"

namespace {

QColor Colour(COLORREF value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TEST_F(TunerTest, title_bar_shows_the_gradient_active_and_inactive) {
    TForm1& f = Open();
    auto* caption = f.FindComponent<TCaptionControl>(QStringLiteral("CaptionControl1"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->CaptionGradient(), cgAlways);
    EXPECT_FALSE(caption->ShowButtons());
    // 618 wide, sizing frame of 4: a caption of 610 by 18 at (4, 4).
    RECT const bar = caption->CaptionRect();
    EXPECT_EQ(bar.left, 4);
    EXPECT_EQ(bar.top, 4);
    EXPECT_EQ(bar.right, 614);
    EXPECT_EQ(bar.bottom, 22);
    for (bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        f.Perform(WM_NCACTIVATE, active ? 1 : 0, 0);
        QImage const image = f.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QColor const end = Colour(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        EXPECT_EQ(image.pixelColor(bar.right - 1, bar.top), end);
        // Darker towards the left: the middle of the bar holds about half the colour.
        QColor const middle = image.pixelColor((bar.left + bar.right) / 2, bar.top);
        EXPECT_NEAR(middle.blue(), end.blue() / 2, 4);
        // The icon on black at the left end.
        int icon = 0;
        for (int y = bar.top; y < bar.bottom; ++y)
            for (int x = bar.left; x < bar.left + 17; ++x)
                icon += image.pixelColor(x, y) != QColor(Qt::black);
        EXPECT_GT(icon, 20);
        // Three frame buttons in the button face colour at the right end.
        QColor const face = Colour(GetSysColor(COLOR_BTNFACE));
        for (int x : {bar.right - 16, bar.right - 34, bar.right - 50})
            EXPECT_EQ(image.pixelColor(x, bar.top + 5), face) << x;
        // The caption in white.
        int white = 0;
        for (int y = bar.top + 2; y < bar.bottom - 2; ++y)
            for (int x = bar.left + 20; x < bar.left + 250; ++x)
                white += image.pixelColor(x, y) == QColor(Qt::white);
        EXPECT_GT(white, 100);
    }
}

} // namespace
