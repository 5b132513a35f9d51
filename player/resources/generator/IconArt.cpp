// The two class icons, 32 x 32 in the 16 standard colours: a film reel with its strip for the
// player window, a blue disc with a question mark for the help window.
#include "Artwork.h"

#include "resources/ArtLayout.h"
#include "IconFile.h"

#include <array>

namespace player::art {

namespace {

enum Vga : ColorIndex {
    vga_black = 0,
    vga_navy = 4,
    vga_teal = 6,
    vga_silver = 7,
    vga_gray = 8,
    vga_blue = 12,
    vga_aqua = 14,
    vga_white = 15,
};
constexpr ColorIndex clear = icon_transparent_index;

QList<QRgb> icon_palette() {
    QList<QRgb> palette(256, qRgb(0, 0, 0));
    const std::array<QRgb, 16> vga{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    for (int i = 0; i < 16; ++i)
        palette[i] = vga[i];
    palette[clear] = qRgb(255, 0, 255); // never written to the icon; marks the mask
    return palette;
}

} // namespace

Canvas draw_mpeg_icon() {
    Canvas icon(icon_size, icon_size, clear, icon_palette());
    // The strip runs off the reel towards the lower right corner.
    icon.fill(14, 23, 18, 8, vga_black);
    icon.fill(14, 24, 18, 6, vga_gray);
    for (int x = 15; x < 32; x += 4) {
        icon.fill(x, 24, 2, 1, vga_white);
        icon.fill(x, 29, 2, 1, vga_white);
        icon.fill(x, 26, 3, 2, vga_teal);
    }
    icon.disc(13, 13, 12, vga_black);
    icon.disc(13, 13, 11, vga_silver);
    icon.ring(13, 13, 11, 1, vga_white);
    constexpr std::array<std::array<int, 2>, 5> holes{{{0, -7}, {7, -2}, {4, 6}, {-4, 6}, {-7, -2}}};
    for (const auto& hole : holes) {
        icon.disc(13 + hole[0], 13 + hole[1], 3, vga_black);
        icon.disc(13 + hole[0], 13 + hole[1], 2, clear);
    }
    icon.disc(13, 13, 2, vga_gray);
    icon.set(13, 13, vga_black);
    return icon;
}

Canvas draw_help_icon() {
    Canvas icon(icon_size, icon_size, clear, icon_palette());
    icon.disc(15, 15, 15, vga_navy);
    icon.disc(15, 15, 14, vga_blue);
    icon.ring(14, 14, 12, 1, vga_aqua);
    icon.disc(15, 15, 12, vga_blue);
    const std::array<std::string_view, 8> mark{".####.", "##..##", "....##", "...##.",
                                               "..##..", "..##..", "......", "..##.."};
    for (int row = 0; row < static_cast<int>(mark.size()); ++row)
        for (int column = 0; column < 6; ++column)
            if (mark[row][column] == '#') {
                icon.fill(10 + 2 * column, 8 + 2 * row, 2, 2, vga_white);
                icon.set(11 + 2 * column, 9 + 2 * row + 1, vga_navy);
            }
    return icon;
}

} // namespace player::art
