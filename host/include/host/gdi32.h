// Drawing (gdi32): device contexts, bitmaps, brushes, pens, fonts, regions and the text settings
// the programs use, with their Windows names, values and signatures.
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
struct HPEN__;
typedef HPEN__* HPEN;
struct HFONT__;
typedef HFONT__* HFONT;
struct HRGN__;
typedef HRGN__* HRGN;
typedef void* HGDIOBJ;

using COLORREF = DWORD;

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

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

constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Region kinds, the results of the region and clipping functions.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Fonts.
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGFONTA {
    LONG lfHeight; // negative: character height in pixels; positive: cell height
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet; // 0 ANSI, 1 default, 2 symbol (the form framework names them)
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};

extern "C" {

// A memory device context like `hdc` (or like the screen for NULL), with a 1 x 1 bitmap selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);

// A bitmap of width x height pixels, black, for a memory context like `hdc`.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBRUSH CreateSolidBrush(COLORREF color);
// PS_SOLID or PS_NULL; a width below 1 draws one pixel wide.
HPEN CreatePen(int style, int width, COLORREF color);
// Faces the system lacks are drawn with a stand-in family: "MS Sans Serif" and "Arial" with
// Liberation Sans, "Times New Roman" with Liberation Serif, "Courier New" with Liberation Mono;
// "Wingdings" maps each symbol character to the Unicode symbol of its picture (Symbola).
HFONT CreateFontIndirectA(const LOGFONTA* font);

// Selects a bitmap, brush, pen or font into the device context and returns the one it
// replaces; NULL when the object or the context is not valid. A bitmap can be selected into one
// memory context at a time. A region is copied into the context's clipping region instead, as
// SelectClipRgn does, and the region kind is returned.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);

// Deletes a bitmap, brush, pen, font or region. Stock objects are not deleted (TRUE); an object
// selected into a device context is not deleted (FALSE).
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

// Outlined with the selected pen and filled with the selected brush; the right and bottom edges
// are outside.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Polygon(HDC hdc, const POINT* points, int count);
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// Regions. Coordinates are the device context's own (the window's, for a window context).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// Copies the region into the context's clipping region (NULL: no clipping); the region kind, or
// ERROR for a handle that is not a region.
int SelectClipRgn(HDC hdc, HRGN region);
// Copies the context's clipping region into `region`: 1, or 0 when the context does not clip,
// -1 on error.
int GetClipRgn(HDC hdc, HRGN region);
int OffsetClipRgn(HDC hdc, int x, int y);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
}
