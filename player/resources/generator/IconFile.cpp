#include "IconFile.h"

#include "LittleEndian.h"

namespace player::art {

namespace {

constexpr int side = 32;
constexpr int colors = 16;
constexpr quint32 header_size = 40;
constexpr quint32 xor_size = side * side / 2; // 4 bits a pixel, rows already 4-byte aligned
constexpr quint32 and_size = side * side / 8; // 1 bit a pixel, rows of 4 bytes

bool usable(const QImage& image) {
    if (image.format() != QImage::Format_Indexed8 || image.width() != side || image.height() != side)
        return false;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int index = image.pixelIndex(x, y);
            if (index >= colors && index != icon_transparent_index)
                return false;
        }
    return true;
}

void put_xor_rows(QByteArray& out, const QImage& image) {
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; x += 2) {
            auto nibble = [&](int at) {
                const int index = image.pixelIndex(at, y);
                return index == icon_transparent_index ? 0 : index;
            };
            out.append(char((nibble(x) << 4) | nibble(x + 1)));
        }
}

void put_and_rows(QByteArray& out, const QImage& image) {
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; x += 8) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (image.pixelIndex(x + bit, y) == icon_transparent_index)
                    bits |= 0x80 >> bit;
            out.append(char(bits));
        }
}

} // namespace

QByteArray write_icon_16(const QImage& indexed) {
    if (!usable(indexed))
        return {};
    const quint32 image_size = header_size + colors * 4 + xor_size + and_size;
    QByteArray out;
    put_u16(out, 0); // reserved
    put_u16(out, 1); // an icon, not a cursor
    put_u16(out, 1); // one image
    out.append(char(side));
    out.append(char(side));
    out.append(char(colors));
    out.append(char(0));
    put_u16(out, 1); // planes
    put_u16(out, 4); // bits per pixel
    put_u32(out, image_size);
    put_u32(out, 6 + 16); // the image follows the directory

    put_u32(out, header_size);
    put_u32(out, side);
    put_u32(out, side * 2); // colour rows and mask rows together
    put_u16(out, 1);
    put_u16(out, 4);
    put_u32(out, 0); // BI_RGB
    put_u32(out, xor_size + and_size);
    put_u32(out, 0);
    put_u32(out, 0);
    put_u32(out, 0);
    put_u32(out, 0);
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < colors; ++i)
        put_bgr0(out, i < table.size() ? table[i] : qRgb(0, 0, 0));
    put_xor_rows(out, indexed);
    put_and_rows(out, indexed);
    return out;
}

} // namespace player::art
