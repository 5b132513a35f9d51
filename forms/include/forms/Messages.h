// The message record of a form's window procedure; the messages and their Windows values come
// from the host's user32.h.
#pragma once

#include "host/user32.h"

#include <QtGlobal>

#include <functional>


// One message through a form's window procedure. Result is what the procedure answers.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

// A point packed as Windows does: signed 16-bit x in the low word, y in the high word.
inline LPARAM PointToLParam(int X, int Y) {
    return static_cast<LPARAM>((static_cast<quint32>(static_cast<quint16>(Y)) << 16) |
                               static_cast<quint16>(X));
}
inline int LParamX(LPARAM Value) {
    return static_cast<qint16>(static_cast<quint16>(Value & 0xFFFF));
}
inline int LParamY(LPARAM Value) {
    return static_cast<qint16>(static_cast<quint16>((Value >> 16) & 0xFFFF));
}
