#include "Artwork.h"

#include "DosFettle.h"

#include <QPainter>
#include <QPainterPath>

namespace Artwork {

namespace {

// The transparent key of the glyphs: olive, which the glyphs never draw with.
QColor const Key(128, 128, 0);
QColor const Navy(0, 0, 128);
QColor const Teal(0, 128, 128);
QColor const Silver(192, 192, 192);
QColor const Gray(128, 128, 128);
QColor const White(255, 255, 255);
QColor const Yellow(255, 255, 0);
QColor const Red(192, 0, 0);
QColor const Black(0, 0, 0);

void DrawDisk(QPainter& p) {
    p.fillRect(2, 2, 12, 12, Navy);
    p.fillRect(4, 2, 8, 5, White);
    p.fillRect(9, 3, 2, 3, Navy);
    p.fillRect(4, 9, 8, 5, Gray);
    p.fillRect(5, 10, 2, 3, Black);
}

void DrawArrow(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(9, 6);
    arrow.lineTo(15, 10);
    arrow.lineTo(9, 14);
    arrow.closeSubpath();
    p.fillPath(arrow, Red);
    p.fillRect(5, 9, 5, 3, Red);
}

void DrawLens(QPainter& p) {
    p.setPen(QPen(Black, 2));
    p.setBrush(Teal);
    p.drawEllipse(2, 2, 8, 8);
    p.setPen(QPen(Navy, 3));
    p.drawLine(10, 10, 14, 14);
}

void DrawDoor(QPainter& p) {
    p.fillRect(3, 1, 9, 14, Navy);
    p.fillRect(4, 2, 7, 12, Teal);
    p.fillRect(9, 8, 1, 1, Yellow);
    p.setPen(QPen(Red, 2));
    p.drawLine(10, 5, 15, 10);
    p.drawLine(15, 5, 10, 10);
}

void DrawQuestion(QPainter& p) {
    p.setBrush(Yellow);
    p.setPen(Black);
    p.drawEllipse(1, 1, 13, 13);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Navy);
    p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

QImage NormalGlyph(char Kind) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Key);
    QPainter p(&image);
    switch (Kind) {
    case 'C':
        DrawDisk(p);
        break;
    case 'S':
        DrawDisk(p);
        DrawArrow(p);
        break;
    case 'E':
        DrawLens(p);
        break;
    case 'X':
        DrawDoor(p);
        break;
    default:
        DrawQuestion(p);
        break;
    }
    p.end();
    image.setPixelColor(0, 15, Key);
    return image;
}

// The disabled look: every drawn pixel becomes grey, embossed with white one pixel down-right.
QImage DisabledGlyph(QImage const& Normal) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Key);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (Normal.pixelColor(x, y) != Key) {
                if (x < 15 && y < 15)
                    image.setPixelColor(x + 1, y + 1, White);
            }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (Normal.pixelColor(x, y) != Key)
                image.setPixelColor(x, y, Gray);
    image.setPixelColor(0, 15, Key);
    return image;
}

} // namespace

QImage Banner(int Width, int Height, bool FacingRight) {
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    // A navy-to-teal sweep in eight bands, as a 16-colour display would dither it.
    for (int x = 0; x < Width; ++x) {
        int const position = FacingRight ? Width - 1 - x : x;
        int const band = position * 8 / Width;
        for (int y = 0; y < Height; ++y) {
            bool const dither = ((x + y) % 2) == 0 && (position * 8 % Width) > Width / 2;
            int const level = band + (dither ? 1 : 0);
            p.setPen(level < 4 ? (level % 2 ? Navy : QColor(0, 0, 160))
                               : (level % 2 ? Teal : QColor(0, 96, 128)));
            p.drawPoint(x, y);
        }
    }
    // A row of chip pins along both edges and a bright running line in the middle.
    for (int x = 2; x < Width; x += 6) {
        p.fillRect(x, 0, 2, 2, Silver);
        p.fillRect(x, Height - 2, 2, 2, Silver);
    }
    p.setPen(Yellow);
    p.drawLine(0, Height / 2, Width - 1, Height / 2);
    for (int x = 8; x < Width; x += 24)
        p.fillRect(x, Height / 2 - 2, 5, 5, FacingRight ? Yellow : White);
    return image;
}

QImage Glyph(char Kind) {
    QImage const normal = NormalGlyph(Kind);
    QImage image(32, 16, QImage::Format_RGB32);
    QPainter p(&image);
    p.drawImage(0, 0, normal);
    p.drawImage(16, 0, DisabledGlyph(normal));
    return image;
}

QImage Icon() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Silver);
    QPainter p(&image);
    p.fillRect(2, 4, 28, 20, Navy);
    p.fillRect(4, 6, 24, 16, Black);
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Yellow);
    p.drawText(QRect(4, 6, 24, 16), Qt::AlignCenter, QStringLiteral("C:\\>"));
    p.fillRect(10, 24, 12, 3, Gray);
    p.fillRect(6, 27, 20, 3, Gray);
    return image;
}

void Decorate(TForm1* Form) {
    Form->Image2->Picture()->SetImage(Banner(192, 17, false));
    Form->Image1->Picture()->SetImage(Banner(193, 17, true));
    Form->BitBtn2->Glyph()->SetImage(Glyph('C'));
    Form->BitBtn3->Glyph()->SetImage(Glyph('S'));
    Form->BitBtn1->Glyph()->SetImage(Glyph('E'));
    Form->BitBtn5->Glyph()->SetImage(Glyph('X'));
    Form->BitBtn4->Glyph()->SetImage(Glyph('H'));
    Form->Icon()->SetImage(Icon());
}

} // namespace Artwork
