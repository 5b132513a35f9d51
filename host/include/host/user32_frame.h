// The window frame as Windows 95 draws it, with Windows names, values and signatures: the system
// metrics of the frame, the system colours, the non-client metrics with the caption fonts, the
// non-client messages, frame controls (caption and push buttons), the caption's icon and text,
// and the text formats of DrawTextA that captions use.
//
// Metrics and colours are the Windows 95 standard scheme at 96 pixels per inch. SetSysColors
// changes colours for the whole program and sends WM_SYSCOLORCHANGE to every top-level window
// and to the listeners of host::add_system_colour_listener. The Qt-level primitives behind these
// functions, for frames the host does not own, are in host/FrameDrawing.h. GUI thread.
#pragma once

#include "host/gdi32.h"
#include "host/win_types.h"

#include <functional>

// Non-client messages.
#define HOST_USER32_WM_NONCLIENT 1
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
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

// Window styles of the frame.
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
constexpr DWORD WS_EX_RIGHT = 0x00001000;
constexpr DWORD WS_EX_RTLREADING = 0x00002000;
constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x00004000;

// GetSystemMetrics indexes of the frame.
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXSMSIZE = 52;
constexpr int SM_CYSMSIZE = 53;
constexpr int SM_MIDEASTENABLED = 74;

// System colour indexes.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

// SystemParametersInfoA.
constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

struct NONCLIENTMETRICSA {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONTA lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONTA lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONTA lfMenuFont;
    LOGFONTA lfStatusFont;
    LOGFONTA lfMessageFont;
};

// DrawFrameControl: classes and states.
constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
constexpr UINT DFCS_CAPTIONMIN = 0x0001;
constexpr UINT DFCS_CAPTIONMAX = 0x0002;
constexpr UINT DFCS_CAPTIONRESTORE = 0x0003;
constexpr UINT DFCS_CAPTIONHELP = 0x0004;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;

// DrawCaption flags.
constexpr UINT DC_ACTIVE = 0x0001;
constexpr UINT DC_SMALLCAP = 0x0002;
constexpr UINT DC_ICON = 0x0004;
constexpr UINT DC_TEXT = 0x0008;

// DrawTextA formats beyond those of user32.h.
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_RTLREADING = 0x20000;

extern "C" {
// Fills the rectangle (right and bottom edges outside) with the brush; 0 on failure.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// COLOR_* index; 0 for an index out of range.
DWORD GetSysColor(int index);
// Sets `count` colours and sends WM_SYSCOLORCHANGE; FALSE when an index is out of range.
BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors);
// Only SPI_GETNONCLIENTMETRICS: `parameter` points to a NONCLIENTMETRICSA whose cbSize is set.
BOOL SystemParametersInfoA(UINT action, UINT uint_parameter, LPVOID parameter, UINT win_ini);
// Caption buttons (DFC_CAPTION) and push buttons (DFC_BUTTON with DFCS_BUTTONPUSH), with their
// 3D edges, in `rect`; FALSE for other classes or an invalid context.
BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state);
// The caption of `hwnd` in `rect`: the background in the active (DC_ACTIVE) or inactive caption
// colour, the small window icon (DC_ICON) 2 pixels in from the left and centred, the window's
// text (DC_TEXT) in the caption font (the small one with DC_SMALLCAP).
BOOL DrawCaption(HWND hwnd, HDC hdc, const RECT* rect, UINT flags);
}

namespace host {

// Called after SetSysColors changed the colours; returns an id for remove_system_colour_listener.
int add_system_colour_listener(std::function<void()> listener);
void remove_system_colour_listener(int id);

} // namespace host
