#include "Canvas.h"

#include <algorithm>

namespace player::art {

std::uint32_t Noise::next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

int Noise::between(int lo, int hi) {
    return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1));
}

Canvas::Canvas(int width, int height, ColorIndex background, const QList<QRgb>& palette)
    : m_image(width, height, QImage::Format_Indexed8) {
    m_image.setColorTable(palette);
    m_image.fill(background);
}

void Canvas::set(int x, int y, ColorIndex color) {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    m_image.scanLine(y)[x] = color;
}

ColorIndex Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return black;
    return m_image.constScanLine(y)[x];
}

void Canvas::fill(int x, int y, int width, int height, ColorIndex color) {
    for (int row = y; row < y + height; ++row)
        hline(x, row, width, color);
}

void Canvas::hline(int x, int y, int length, ColorIndex color) {
    for (int i = 0; i < length; ++i)
        set(x + i, y, color);
}

void Canvas::vline(int x, int y, int length, ColorIndex color) {
    for (int i = 0; i < length; ++i)
        set(x, y + i, color);
}

void Canvas::bevel(int x, int y, int width, int height, ColorIndex top_left, ColorIndex bottom_right) {
    hline(x, y, width, top_left);
    vline(x, y, height, top_left);
    hline(x + 1, y + height - 1, width - 1, bottom_right);
    vline(x + width - 1, y + 1, height - 1, bottom_right);
}

void Canvas::brushed(int x, int y, int width, int height, int top_level, int bottom_level, Noise& noise) {
    for (int row = 0; row < height; ++row) {
        const int base = top_level + (bottom_level - top_level) * row / (height > 1 ? height - 1 : 1);
        const int row_shift = noise.between(-1, 1);
        // Streaks: runs of a few to a few dozen pixels that sit one level above or below the row.
        for (int column = 0; column < width;) {
            const int run = noise.between(3, 24);
            const int streak = noise.between(0, 2) == 0 ? noise.between(-3, 3) : 0;
            hline(x + column, y + row, std::min(run, width - column), steel(base + row_shift + streak));
            column += run;
        }
    }
}

void Canvas::disc(int cx, int cy, int radius, ColorIndex color) {
    const int limit = radius * radius + radius; // rounder edge than r*r alone
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= limit)
                set(cx + dx, cy + dy, color);
}

void Canvas::ring(int cx, int cy, int radius, int thickness, ColorIndex color) {
    const int outer = radius * radius + radius;
    const int inner_radius = radius - thickness;
    const int inner = inner_radius * inner_radius + inner_radius;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int d = dx * dx + dy * dy;
            if (d <= outer && d > inner)
                set(cx + dx, cy + dy, color);
        }
}

void Canvas::draw_rows(int x, int y, std::initializer_list<std::string_view> rows,
                       std::initializer_list<PixelKey> keys) {
    int row_y = y;
    for (std::string_view row : rows) {
        for (int i = 0; i < static_cast<int>(row.size()); ++i)
            for (const PixelKey& key : keys)
                if (key.symbol == row[i])
                    set(x + i, row_y, key.color);
        ++row_y;
    }
}

void Canvas::stamp(int x, int y, std::initializer_list<std::string_view> rows, ColorIndex color) {
    int row_y = y;
    for (std::string_view row : rows) {
        for (int i = 0; i < static_cast<int>(row.size()); ++i)
            if (row[i] != '.' && row[i] != ' ')
                set(x + i, row_y, color);
        ++row_y;
    }
}

void Canvas::copy_from(const Canvas& source, int sx, int sy, int width, int height, int x, int y) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            set(x + column, y + row, source.at(sx + column, sy + row));
}

} // namespace player::art
