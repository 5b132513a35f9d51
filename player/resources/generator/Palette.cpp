#include "Palette.h"

namespace player::art {

namespace {

// Linear blend between two colours, t in 0..steps-1.
QRgb blend(QRgb from, QRgb to, int t, int steps) {
    const int d = steps > 1 ? steps - 1 : 1;
    auto mix = [&](int a, int b) { return a + (b - a) * t / d; };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)), mix(qBlue(from), qBlue(to)));
}

void put_ramp(QList<QRgb>& palette, int first, int count, QRgb from, QRgb to) {
    for (int i = 0; i < count; ++i)
        palette[first + i] = blend(from, to, i, count);
}

} // namespace

QList<QRgb> panel_palette() {
    QList<QRgb> palette(256, qRgb(0, 0, 0));
    put_ramp(palette, steel(0), steel_levels, qRgb(8, 9, 12), qRgb(246, 248, 252));
    palette[lcd_background] = qRgb(6, 20, 14);
    palette[lcd_unlit] = qRgb(13, 35, 25);
    put_ramp(palette, glow(0), glow_levels, qRgb(24, 70, 46), qRgb(190, 255, 214));
    put_ramp(palette, red(0), accent_levels, qRgb(60, 8, 6), qRgb(255, 150, 120));
    put_ramp(palette, amber(0), accent_levels, qRgb(70, 40, 4), qRgb(255, 226, 130));
    put_ramp(palette, night(0), night_levels, qRgb(2, 4, 12), qRgb(70, 96, 150));
    return palette;
}

} // namespace player::art
