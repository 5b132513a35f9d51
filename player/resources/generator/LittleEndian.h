// Little-endian field writers shared by the BMP and icon file writers.
#pragma once

#include <QByteArray>
#include <QRgb>

namespace player::art {

inline void put_u16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

inline void put_u32(QByteArray& out, quint32 value) {
    put_u16(out, quint16(value & 0xFFFF));
    put_u16(out, quint16(value >> 16));
}

// A colour-table entry as Windows bitmaps store it: blue, green, red, a zero byte.
inline void put_bgr0(QByteArray& out, QRgb color) {
    out.append(char(qBlue(color)));
    out.append(char(qGreen(color)));
    out.append(char(qRed(color)));
    out.append(char(0));
}

} // namespace player::art
