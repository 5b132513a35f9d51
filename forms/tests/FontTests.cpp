// The program's texts are drawn as the period's bitmap fonts were: crisp, on the pixel grid.
#include "TestApplication.h"

#include "forms/Graphics.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(Fonts, texts_are_drawn_without_anti_aliasing_and_hinted_to_the_pixel_grid) {
    TestApplication();
    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    QFont const face = font.ToQFont();
    EXPECT_EQ(face.family(), QStringLiteral("Liberation Sans")); // metric-compatible with the original
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
    EXPECT_TRUE(face.styleStrategy() & QFont::NoAntialias);
    EXPECT_EQ(face.hintingPreference(), QFont::PreferFullHinting);

    // Black text on white leaves only black and white pixels: no grey edges.
    QImage image(200, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(face);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(4, 20), QStringLiteral("BootFettle 3.0 by Tamsin Orrel"));
    }
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(colours, QSet<QRgb>({0x000000, 0xFFFFFF}));
}

} // namespace
