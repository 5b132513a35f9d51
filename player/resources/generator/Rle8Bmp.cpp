#include "Rle8Bmp.h"

#include "LittleEndian.h"

namespace player::art {

namespace {

constexpr int max_run = 255;
constexpr int min_absolute = 3; // absolute mode needs at least three pixels

int run_length(const uchar* row, int at, int width) {
    int length = 1;
    while (at + length < width && length < max_run && row[at + length] == row[at])
        ++length;
    return length;
}

void encode_literal(QByteArray& out, const uchar* pixels, int count) {
    if (count < min_absolute) {
        for (int i = 0; i < count; ++i) {
            out.append(char(1));
            out.append(char(pixels[i]));
        }
        return;
    }
    out.append(char(0));
    out.append(char(count));
    out.append(reinterpret_cast<const char*>(pixels), count);
    if (count % 2)
        out.append(char(0)); // absolute runs end on a 16-bit boundary
}

void encode_row(QByteArray& out, const uchar* row, int width) {
    int at = 0;
    while (at < width) {
        const int run = run_length(row, at, width);
        if (run >= 2) {
            out.append(char(run));
            out.append(char(row[at]));
            at += run;
            continue;
        }
        // Gather differing pixels until a run worth encoding begins.
        const int start = at;
        while (at < width && at - start < max_run && run_length(row, at, width) < min_absolute)
            ++at;
        encode_literal(out, row + start, at - start);
    }
}

} // namespace

QByteArray encode_rle8(const QImage& indexed) {
    QByteArray out;
    for (int y = indexed.height() - 1; y >= 0; --y) {
        encode_row(out, indexed.constScanLine(y), indexed.width());
        out.append(char(0));
        out.append(char(y == 0 ? 1 : 0)); // end of bitmap after the top row, else end of line
    }
    return out;
}

QByteArray write_rle8_bmp(const QImage& indexed) {
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull())
        return {};
    const QByteArray pixels = encode_rle8(indexed);
    constexpr quint32 file_header_size = 14;
    constexpr quint32 info_header_size = 40;
    constexpr quint32 palette_entries = 256;
    const quint32 pixel_offset = file_header_size + info_header_size + palette_entries * 4;

    QByteArray out;
    out.append("BM");
    put_u32(out, pixel_offset + quint32(pixels.size()));
    put_u32(out, 0); // two reserved words
    put_u32(out, pixel_offset);

    put_u32(out, info_header_size);
    put_u32(out, quint32(indexed.width()));
    put_u32(out, quint32(indexed.height())); // positive: rows stored bottom-up
    put_u16(out, 1);                         // planes
    put_u16(out, 8);                         // bits per pixel
    put_u32(out, 1);                         // BI_RLE8
    put_u32(out, quint32(pixels.size()));
    put_u32(out, 0); // no horizontal or vertical resolution given
    put_u32(out, 0);
    put_u32(out, palette_entries);
    put_u32(out, 0); // all colours important

    const QList<QRgb> colors = indexed.colorTable();
    for (quint32 i = 0; i < palette_entries; ++i)
        put_bgr0(out, i < quint32(colors.size()) ? colors[int(i)] : qRgb(0, 0, 0));
    out.append(pixels);
    return out;
}

} // namespace player::art
