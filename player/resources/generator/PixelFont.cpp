#include "PixelFont.h"

#include "resources/ArtLayout.h"

namespace player::art {

namespace {

// Letters are four dots wide; digits are three, in the style of a seven-segment read-out, so
// that 0 and O, 1 and I, 5 and S never look alike.
// clang-format off
constexpr std::array<GlyphPattern, 47> glyphs{{
    {'A', {".##.", "#..#", "####", "#..#", "#..#"}},
    {'B', {"###.", "#..#", "###.", "#..#", "###."}},
    {'C', {".###", "#...", "#...", "#...", ".###"}},
    {'D', {"###.", "#..#", "#..#", "#..#", "###."}},
    {'E', {"####", "#...", "###.", "#...", "####"}},
    {'F', {"####", "#...", "###.", "#...", "#..."}},
    {'G', {".###", "#...", "#.##", "#..#", ".###"}},
    {'H', {"#..#", "#..#", "####", "#..#", "#..#"}},
    {'I', {"###.", ".#..", ".#..", ".#..", "###."}},
    {'J', {"..##", "...#", "...#", "#..#", ".##."}},
    {'K', {"#..#", "#.#.", "##..", "#.#.", "#..#"}},
    {'L', {"#...", "#...", "#...", "#...", "####"}},
    {'M', {"#..#", "####", "####", "#..#", "#..#"}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'O', {".##.", "#..#", "#..#", "#..#", ".##."}},
    {'P', {"###.", "#..#", "###.", "#...", "#..."}},
    {'Q', {".##.", "#..#", "#..#", "#.#.", ".#.#"}},
    {'R', {"###.", "#..#", "###.", "#.#.", "#..#"}},
    {'S', {".###", "#...", ".##.", "...#", "###."}},
    {'T', {"###.", ".#..", ".#..", ".#..", ".#.."}},
    {'U', {"#..#", "#..#", "#..#", "#..#", ".##."}},
    {'V', {"#.#.", "#.#.", "#.#.", "#.#.", ".#.."}},
    {'W', {"#..#", "#..#", "####", "####", "#..#"}},
    {'X', {"#..#", "#..#", ".##.", "#..#", "#..#"}},
    {'Y', {"#.#.", "#.#.", ".#..", ".#..", ".#.."}},
    {'Z', {"####", "...#", ".##.", "#...", "####"}},
    {':', {"....", ".#..", "....", ".#..", "...."}},
    {' ', {"....", "....", "....", "....", "...."}},
    {'0', {"###.", "#.#.", "#.#.", "#.#.", "###."}},
    {'1', {".#..", "##..", ".#..", ".#..", "###."}},
    {'2', {"###.", "..#.", "###.", "#...", "###."}},
    {'3', {"###.", "..#.", "###.", "..#.", "###."}},
    {'4', {"#.#.", "#.#.", "###.", "..#.", "..#."}},
    {'5', {"###.", "#...", "###.", "..#.", "###."}},
    {'6', {"###.", "#...", "###.", "#.#.", "###."}},
    {'7', {"###.", "..#.", "..#.", "..#.", "..#."}},
    {'8', {"###.", "#.#.", "###.", "#.#.", "###."}},
    {'9', {"###.", "#.#.", "###.", "..#.", "###."}},
    {'/', {"...#", "..#.", "..#.", ".#..", "#..."}},
    {'[', {"##..", "#...", "#...", "#...", "##.."}},
    {']', {"##..", ".#..", ".#..", ".#..", "##.."}},
    {'>', {"#...", ".#..", "..#.", ".#..", "#..."}},
    {'&', {".#..", "#.#.", ".#..", "#.##", ".#.#"}},
    {'%', {"#..#", "...#", "..#.", ".#..", "#..#"}},
    {'.', {"....", "....", "....", "....", ".#.."}},
    {'\\', {"#...", ".#..", ".#..", "..#.", "...#"}},
    {'~', {"....", ".#.#", "#.#.", "....", "...."}},
}};
// clang-format on

constexpr bool glyphs_follow_alphabet() {
    if (glyphs.size() != glyph_alphabet.size())
        return false;
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        if (glyphs[i].character != glyph_alphabet[i])
            return false;
    return true;
}
static_assert(glyphs_follow_alphabet(), "glyph table must follow the glyph alphabet");

} // namespace

const GlyphPattern* find_glyph(char character) {
    for (const GlyphPattern& glyph : glyphs)
        if (glyph.character == character)
            return &glyph;
    return nullptr;
}

void draw_unlit_cell(Canvas& canvas, int x, int y) {
    canvas.fill(x, y, cell_width, cell_height, lcd_background);
    canvas.fill(x, y, dot_columns, dot_rows, lcd_unlit);
}

void draw_glyph_cell(Canvas& canvas, int x, int y, char character, ColorIndex lit) {
    draw_unlit_cell(canvas, x, y);
    const GlyphPattern* glyph = find_glyph(character);
    if (!glyph)
        return;
    for (int row = 0; row < dot_rows; ++row)
        for (int column = 0; column < dot_columns; ++column)
            if (glyph->rows[row][column] == '#')
                canvas.set(x + column, y + row, lit);
}

void draw_engraved_text(Canvas& canvas, int x, int y, std::string_view text, int scale, ColorIndex dark,
                        ColorIndex light) {
    auto paint = [&](int offset, ColorIndex color) {
        for (int i = 0; i < static_cast<int>(text.size()); ++i) {
            const GlyphPattern* glyph = find_glyph(text[i]);
            if (!glyph)
                continue;
            const int cell_x = x + i * cell_width * scale;
            for (int row = 0; row < dot_rows; ++row)
                for (int column = 0; column < dot_columns; ++column)
                    if (glyph->rows[row][column] == '#')
                        canvas.fill(cell_x + column * scale + offset, y + row * scale + offset, scale, scale,
                                    color);
        }
    };
    paint(1, light);
    paint(0, dark);
}

} // namespace player::art
