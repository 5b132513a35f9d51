// The window messages a form's window procedure receives for its frame, with their Windows
// values, and the message record. WM_SIZE comes from the host's user32.h.
#pragma once

#include "host/user32.h"

#include <QtGlobal>

#include <functional>

// Defined here until the host's user32.h carries them; it defines HOST_USER32_WM_NONCLIENT then.
#ifndef HOST_USER32_WM_NONCLIENT
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCRBUTTONUP = 0x00A5;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
#endif

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
