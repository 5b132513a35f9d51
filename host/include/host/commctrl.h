// The common controls the programs use: the tooltip control. A tool is a window, or a rectangle
// of a window's client area, with a text; the tooltip shows the text while the mouse rests on it,
// in the desktop's own tooltip style.
#pragma once

#include "host/user32.h"

#define TOOLTIPS_CLASSA "tooltips_class32"

// uFlags of TOOLINFOA.
constexpr UINT TTF_IDISHWND = 0x0001; // uId is the tool's window; rect is not used
constexpr UINT TTF_SUBCLASS = 0x0010; // the control watches the tool's mouse itself

constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
constexpr UINT TTM_DELTOOLA = WM_USER + 5;
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;

struct TOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;    // the window whose client area holds the tool (rectangle tools)
    UINT_PTR uId; // the tool's id, or its window with TTF_IDISHWND
    RECT rect;    // client coordinates of hwnd, right and bottom excluded
    HINSTANCE hinst;
    LPSTR lpszText; // copied when the tool is added
    LPARAM lParam;
};

extern "C" {
// Registers the common control classes ("tooltips_class32").
void InitCommonControls();
}
