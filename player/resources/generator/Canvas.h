// A palette-indexed drawing surface with the few primitives the panel art needs. Everything is
// integer arithmetic and a fixed pseudo-random sequence, so the same program always draws the
// same pixels.
#pragma once

#include "Palette.h"

#include <QImage>

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace player::art {

// Deterministic noise source (xorshift32); each piece of art seeds its own.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 1) {}
    std::uint32_t next();
    // A value in lo..hi inclusive.
    int between(int lo, int hi);

  private:
    std::uint32_t m_state;
};

// A small picture written as text rows; each character picks a colour through a PixelKey.
struct PixelKey {
    char symbol;
    ColorIndex color;
};

class Canvas {
  public:
    Canvas(int width, int height, ColorIndex background, const QList<QRgb>& palette = panel_palette());

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

    // Writes outside the canvas are dropped.
    void set(int x, int y, ColorIndex color);
    ColorIndex at(int x, int y) const;
    void fill(int x, int y, int width, int height, ColorIndex color);
    void hline(int x, int y, int length, ColorIndex color);
    void vline(int x, int y, int length, ColorIndex color);
    // One-pixel frame: top and left edge in `top_left`, bottom and right edge in `bottom_right`.
    void bevel(int x, int y, int width, int height, ColorIndex top_left, ColorIndex bottom_right);
    // Steel with horizontal brush streaks; the shade runs from `top_level` to `bottom_level`.
    void brushed(int x, int y, int width, int height, int top_level, int bottom_level, Noise& noise);
    // Filled disc (radius in pixels) and ring of the given thickness, centred on a pixel.
    void disc(int cx, int cy, int radius, ColorIndex color);
    void ring(int cx, int cy, int radius, int thickness, ColorIndex color);
    // Paints the rows of a text picture at (x, y); characters without a key are left untouched.
    void draw_rows(int x, int y, std::initializer_list<std::string_view> rows,
                   std::initializer_list<PixelKey> keys);
    // Paints every non-blank cell ('.' and ' ' are blank) of a text picture in one colour.
    void stamp(int x, int y, std::initializer_list<std::string_view> rows, ColorIndex color);
    // Copies a rectangle of another canvas here.
    void copy_from(const Canvas& source, int sx, int sy, int width, int height, int x, int y);

  private:
    QImage m_image;
};

} // namespace player::art
