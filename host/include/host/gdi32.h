// Drawing (gdi32): device contexts, bitmaps, brushes and the text settings the programs use,
// with their Windows names, values and signatures.
//
// A window's device context draws into the window's backing image, which its Qt widget shows;
// a memory device context draws into the bitmap selected into it. Every function is for the GUI
// thread (the thread that owns the windows).
#pragma once

#include "host/win_types.h"

struct HDC__;
typedef HDC__* HDC;
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
typedef void* HGDIOBJ;

using COLORREF = DWORD;

// 0x00BBGGRR, red in the low byte.
constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
           (static_cast<COLORREF>(blue) << 16);
}

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

// Raster operation of BitBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

extern "C" {

// A memory device context like `hdc` (or like the screen for NULL), with a 1 x 1 bitmap selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);

// Selects a bitmap or brush into the device context and returns the one it replaces; NULL when
// the object or the context is not valid. A bitmap can be selected into one memory context at a
// time.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);

// Deletes a bitmap or brush. Stock objects are not deleted (TRUE); an object selected into a
// device context is not deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);

// Fills `buffer` with the object's description (BITMAP for a bitmap) and returns the bytes
// written; 0 for an unknown object or a buffer too small.
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);

HGDIOBJ GetStockObject(int index);

// Copies a rectangle of pixels. Only SRCCOPY is supported; any other operation returns FALSE.
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop);

// Both return the previous value; 0 (SetBkMode) or CLR_INVALID (SetTextColor) on failure.
int SetBkMode(HDC hdc, int mode);
COLORREF SetTextColor(HDC hdc, COLORREF color);
}
