// The panel's dot-matrix font: 4 x 5 dots in a 5 x 6 cell, one glyph per character of the glyph
// alphabet. A cell is drawn as a read-out would show it: every dot of the matrix faintly unlit,
// the glyph's dots lit, one blank column and row to the next cell.
#pragma once

#include "Canvas.h"

#include <array>
#include <string_view>

namespace player::art {

constexpr int dot_columns = 4;
constexpr int dot_rows = 5;

struct GlyphPattern {
    char character;
    std::array<std::string_view, dot_rows> rows;
};

// The pattern of a character, or nullptr when the font has none.
const GlyphPattern* find_glyph(char character);

// An unlit read-out cell at (x, y).
void draw_unlit_cell(Canvas& canvas, int x, int y);
// A read-out cell showing `character` in `lit` (an unlit cell when the font has no such glyph).
void draw_glyph_cell(Canvas& canvas, int x, int y, char character, ColorIndex lit);
// Text pressed into the metal: dark dots with a highlight below and right, `scale` pixels a dot.
void draw_engraved_text(Canvas& canvas, int x, int y, std::string_view text, int scale, ColorIndex dark,
                        ColorIndex light);

} // namespace player::art
