// The 14 panel buttons: a steel key with an engraved symbol of what it does; pressed, the key
// sinks one pixel and the symbol lights up.
#include "Artwork.h"

#include "resources/ArtLayout.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace player::art {

namespace {

enum class Glow { green, amber, red };

struct ButtonIcon {
    std::array<std::string_view, 9> rows; // unused rows are empty
    Glow glow;
};

// Indexed by control id - 1000.
// clang-format off
const std::array<ButtonIcon, button_count> icons{{
    {{"#....#...#", "#...##..##", "#..###.###", "#.########", "#..###.###", "#...##..##", "#....#...#"},
     Glow::green}, // go to last file (or track)
    {{"#....", "##...", "###..", "####.", "#####", "####.", "###..", "##...", "#...."}, Glow::green}, // play
    {{"##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##"}, Glow::amber}, // pause
    {{"#######", "#######", "#######", "#######", "#######", "#######", "#######"}, Glow::red}, // stop
    {{"#...#....#", "##..##...#", "###.###..#", "########.#", "###.###..#", "##..##...#", "#...#....#"},
     Glow::green}, // go to next file (or track)
    {{"...#...#", "..##..##", ".###.###", "########", ".###.###", "..##..##", "...#...#"},
     Glow::green}, // backward seek
    {{"#...#...", "##..##..", "###.###.", "########", "###.###.", "##..##..", "#...#..."},
     Glow::green}, // forward seek
    {{"..#..", ".#.#.", "#...#", ".#.#.", "..#.."}, Glow::green}, // spare key: a plain mark
    {{"..####.....", "###########", "#.........#", "#...###...#", "#..#...#..#", "#..#...#..#",
      "#...###...#", "###########"},
     Glow::amber}, // capture picture
    {{"#.......#", ".#.....#.", "..#...#..", "...#.#...", "....#....", "...#.#...", ".##...##.",
      "#..#.#..#", ".##...##."},
     Glow::amber}, // cut 8 seconds as MPG
    {{"####...####", "##.......##", "#.#.....#.#", "#..#...#..#", "...........", "#..#...#..#",
      "#.#.....#.#", "##.......##", "####...####"},
     Glow::green}, // normal or full size
    {{".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##.."}, Glow::green}, // help
    {{"##...##", "###.###", ".#####.", "..###..", ".#####.", "###.###", "##...##"}, Glow::red}, // exit
    {{"....#....", "...###...", "..#####..", ".#######.", "#########", ".........", "#########"},
     Glow::green}, // device menu
}};
// clang-format on

ColorIndex glow_color(Glow glow, int level) {
    switch (glow) {
    case Glow::amber:
        return amber(level);
    case Glow::red:
        return red(level);
    case Glow::green:
        break;
    }
    return player::art::glow(level);
}

void paint_icon(Canvas& canvas, int x, int y, const ButtonIcon& icon, ColorIndex color) {
    for (int row = 0; row < static_cast<int>(icon.rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(icon.rows[row].size()); ++column)
            if (icon.rows[row][column] == '#')
                canvas.set(x + column, y + row, color);
}

int icon_width(const ButtonIcon& icon) {
    std::size_t width = 0;
    for (std::string_view row : icon.rows)
        width = std::max(width, row.size());
    return static_cast<int>(width);
}

int icon_height(const ButtonIcon& icon) {
    int height = 0;
    for (std::string_view row : icon.rows)
        height += row.empty() ? 0 : 1;
    return height;
}

} // namespace

void draw_button(Canvas& canvas, int x, int y, int control_id, bool pressed) {
    const ButtonIcon& icon = icons[control_id - first_button_id];
    Noise noise(0x5EED0000u + static_cast<std::uint32_t>(control_id) * 2 + (pressed ? 1 : 0));
    canvas.bevel(x, y, button_width, button_height, steel(3), steel(3));
    const int icon_x = x + (button_width - icon_width(icon)) / 2;
    const int icon_y = y + (button_height - icon_height(icon)) / 2;
    if (!pressed) {
        canvas.brushed(x + 1, y + 1, button_width - 2, button_height - 2, 52, 38, noise);
        canvas.bevel(x + 1, y + 1, button_width - 2, button_height - 2, steel(63), steel(18));
        paint_icon(canvas, icon_x + 1, icon_y + 1, icon, steel(60));
        paint_icon(canvas, icon_x, icon_y, icon, steel(10));
        return;
    }
    canvas.brushed(x + 1, y + 1, button_width - 2, button_height - 2, 32, 40, noise);
    canvas.bevel(x + 1, y + 1, button_width - 2, button_height - 2, steel(12), steel(46));
    // The lit symbol with a faint halo, one pixel down and right of its resting place.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0)
                paint_icon(canvas, icon_x + 1 + dx, icon_y + 1 + dy, icon, glow_color(icon.glow, 1));
    paint_icon(canvas, icon_x + 1, icon_y + 1, icon, glow_color(icon.glow, accent_levels - 1));
}

} // namespace player::art
