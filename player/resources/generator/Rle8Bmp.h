// Writing 8-bit BMP files compressed with the format's own run-length scheme (BI_RLE8), the form
// in which the player's panel bitmaps are kept.
#pragma once

#include <QByteArray>
#include <QImage>

namespace player::art {

// The BI_RLE8 pixel data of an 8-bit indexed image: rows bottom-up, runs of up to 255 equal
// pixels as (count, index), stretches of 3 to 255 differing pixels in absolute mode padded to an
// even length, an end-of-line after every row but the last and an end-of-bitmap after it.
QByteArray encode_rle8(const QImage& indexed);

// A complete BMP file: file header, 40-byte info header, 256-entry colour table, RLE8 data.
// Returns an empty array when the image is not Format_Indexed8 or is empty.
QByteArray write_rle8_bmp(const QImage& indexed);

} // namespace player::art
