// Writing Windows icon files holding one 32 x 32 image in 16 colours.
#pragma once

#include <QByteArray>
#include <QImage>

namespace player::art {

// Palette index that marks a transparent pixel in the source image.
constexpr int icon_transparent_index = 255;

// An .ico file from a 32 x 32 indexed image whose pixels use palette entries 0..15, or
// icon_transparent_index where the desktop should show through. Returns an empty array for any
// other image.
QByteArray write_icon_16(const QImage& indexed);

} // namespace player::art
