// Windows and messages (user32), with their Windows names, types, values and signatures: window
// classes and windows, the message queue and its loops, timers, accelerators, painting, menus and
// the resources the programs load.
//
// Every window is a Qt widget: a top-level widget for a popup or overlapped window, a child
// widget for WS_CHILD. Its paint, mouse, key and activation events become the Windows messages
// of its class's window procedure; it shows a backing image into which its device contexts draw.
//
// Threads: windows, their procedures and the message loops belong to the GUI thread (the thread
// of the QApplication, created on first use when none exists). PostMessageA and PostQuitMessage
// may be called from any thread; SendMessageA from another thread waits until the GUI thread
// has run the procedure. Everything else is for the GUI thread only.
#pragma once

#include "host/gdi32.h"
#include "host/user32_frame.h"
#include "host/win_types.h"

#include <functional>
#include <string>
#include <vector>

struct HMENU__;
typedef HMENU__* HMENU;
struct HACCEL__;
typedef HACCEL__* HACCEL;
struct HICON__;
typedef HICON__* HICON;
typedef HICON HCURSOR;

using ATOM = WORD;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct CREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

struct DRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    UINT_PTR itemData;
};

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

constexpr WORD LOWORD(UINT_PTR value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(UINT_PTR value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
inline LPSTR MAKEINTRESOURCEA(WORD id) {
    return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(id));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
    return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0;
}

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_USER = 0x0400;

// WM_ACTIVATE.
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;
constexpr WORD WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND. SC_MOVE with the caption's hit-test code (2) in its low bits moves the window
// with the mouse, as a drag on the caption does; plain SC_MOVE moves it with the keyboard.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_MOUSEMENU = 0xF090;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_SCREENSAVE = 0xF140;

// Mouse-message key flags (wParam).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// Button style, notification and owner-draw values.
constexpr DWORD BS_OWNERDRAW = 0x0000000B;
constexpr WORD BN_CLICKED = 0;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// PeekMessageA.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// GetSystemMetrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// SetWindowLongA.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

// Accelerator flags.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

// Virtual keys (letters and digits are their upper-case ASCII codes).
constexpr WORD VK_CANCEL = 0x03; // CTRL+BREAK
constexpr WORD VK_BACK = 0x08;
constexpr WORD VK_TAB = 0x09;
constexpr WORD VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10;
constexpr WORD VK_CONTROL = 0x11;
constexpr WORD VK_MENU = 0x12;
constexpr WORD VK_PAUSE = 0x13;
constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_SPACE = 0x20;
constexpr WORD VK_PRIOR = 0x21;
constexpr WORD VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23;
constexpr WORD VK_HOME = 0x24;
constexpr WORD VK_LEFT = 0x25;
constexpr WORD VK_UP = 0x26;
constexpr WORD VK_RIGHT = 0x27;
constexpr WORD VK_DOWN = 0x28;
constexpr WORD VK_INSERT = 0x2D;
constexpr WORD VK_DELETE = 0x2E;
constexpr WORD VK_NUMPAD0 = 0x60;
constexpr WORD VK_MULTIPLY = 0x6A;
constexpr WORD VK_ADD = 0x6B;
constexpr WORD VK_SUBTRACT = 0x6D;
constexpr WORD VK_DECIMAL = 0x6E;
constexpr WORD VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70;
constexpr WORD VK_F12 = 0x7B;

// Menus.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RETURNCMD = 0x0100;

// DrawTextA formats.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;

// The system arrow cursor for LoadCursorA.
#define IDC_ARROW MAKEINTRESOURCEA(32512)

extern "C" {

// Window classes and windows.
ATOM RegisterClassA(const WNDCLASSA* window_class);
// Besides the registered classes, "BUTTON" serves owner-drawn buttons (BS_OWNERDRAW): they send
// WM_DRAWITEM to their parent as Windows buttons do, and WM_COMMAND with BN_CLICKED on release.
HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter);
BOOL DestroyWindow(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int show);
BOOL UpdateWindow(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Only GWL_STYLE and GWL_EXSTYLE.
LONG GetWindowLongA(HWND hwnd, int index);
// Only GWL_STYLE and GWL_EXSTYLE. Changing WS_CHILD does not re-parent the window (as on
// Windows): a top-level window keeps screen coordinates and only loses its frame.
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ClientToScreen(HWND hwnd, POINT* point);
int GetSystemMetrics(int index);
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Messages.
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);

// Timers: WM_TIMER is delivered when the queue has nothing else, at most one pending per timer.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC function);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Accelerators: WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR and WM_SYSCHAR become WM_COMMAND (high word 1)
// sent to `hwnd`, by Windows' rules for FVIRTKEY, FSHIFT, FCONTROL, FALT and character entries.
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg);

// Resources, from the loader the program registers (host::register_resource_loader).
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// Painting.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// Draws text in the device context's font (the system font until one is selected), text colour
// and background mode; lines break at line feeds only. An ampersand underlines the character
// after it and a doubled one shows one, unless DT_NOPREFIX; DT_END_ELLIPSIS shortens a line that
// does not fit with "...". Returns the height of the text drawn.
int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format);

// Pop-up menus. Without TPM_RETURNCMD the chosen item is posted to the owner as WM_COMMAND.
HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id_or_submenu, LPCSTR text);
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_submenu, LPCSTR text);
BOOL DestroyMenu(HMENU menu);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

// Formats like Windows' wsprintfA (%d %i %u %x %X %c %s with flags, width, precision and the
// l and h size prefixes; no floating point) into a buffer of at most 1024 characters.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
}

// Ending the session. ExitWindowsEx ends the session of the program's prefix, never the user's
// desktop session: every program running on the prefix (the caller too) hears
// WM_QUERYENDSESSION; when all agree, each hears WM_ENDSESSION and ends, one after the other, the
// caller last. Without EWX_FORCE a window answering FALSE to WM_QUERYENDSESSION cancels the end
// for all (they hear WM_ENDSESSION with FALSE). Shutting down and restarting a prefix end its
// session the same way. The call returns at once (TRUE when the end was started); the rest
// happens while the programs run their message loops. A dialog responder, when installed, sees
// the request first (DialogResponder.h).
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_ENDSESSION = 0x0016;
constexpr LPARAM ENDSESSION_LOGOFF = static_cast<LPARAM>(0x80000000u);
constexpr UINT EWX_LOGOFF = 0x00000000;
constexpr UINT EWX_SHUTDOWN = 0x00000001;
constexpr UINT EWX_REBOOT = 0x00000002;
constexpr UINT EWX_FORCE = 0x00000004;
constexpr UINT EWX_POWEROFF = 0x00000008;
constexpr UINT EWX_FORCEIFHUNG = 0x00000010;

extern "C" BOOL ExitWindowsEx(UINT flags, DWORD reason);

class QImage;
class QWidget;

namespace host {

// Where LoadBitmapA, LoadIconA and LoadAcceleratorsA find the program's resources. Numeric
// names (MAKEINTRESOURCEA) arrive as "#554". A loader answers a null image or an empty table
// for a resource it does not carry. GUI thread.
struct ResourceLoader {
    std::function<QImage(std::string const& name)> bitmap;
    std::function<QImage(std::string const& name)> icon;
    std::function<std::vector<ACCEL>(std::string const& name)> accelerators;
};
void register_resource_loader(ResourceLoader loader);

// A pop-up menu as TrackPopupMenu shows it, for a test that answers it.
struct MenuItemView {
    std::string text;
    UINT id = 0; // command id; 0 for a submenu or separator
    bool grayed = false;
    bool separator = false;
    std::vector<MenuItemView> submenu;
};
struct PopupMenuRequest {
    std::vector<MenuItemView> items;
    POINT at{};
    HWND owner = nullptr;
};
// Answers TrackPopupMenu instead of a real menu: returns the chosen command id, 0 to dismiss.
// An id that is not an enabled item of the menu counts as dismissed. Returns the previous one.
using PopupMenuResponder = std::function<UINT(PopupMenuRequest const&)>;
PopupMenuResponder set_popup_menu_responder(PopupMenuResponder responder);

// Makes GetSystemMetrics(SM_CXSCREEN / SM_CYSCREEN) answer this size (0 x 0: the real screen).
void set_screen_size_override(int width, int height);

// The window that refused the screen saver (WM_SYSCOMMAND with SC_SCREENSAVE not passed to
// DefWindowProcA) when it became active, while it stays active; nullptr otherwise.
HWND screen_saver_blocker();

// Shows a video frame in a window: the frame is scaled to the window's client area and drawn into
// its backing image, as a video device draws into its window; a frame of the client's size in
// RGB32 (or the backing's own format) becomes the backing image itself, shared, not copied. For the host's video devices;
// GUI thread; false for an invalid window or a null frame.
bool present_frame(HWND hwnd, QImage const& frame);

// The widget behind a window, for the host's own modules (video presentation) and for tests that
// grab what a window shows; nullptr for an invalid handle.
QWidget* window_widget(HWND hwnd);

} // namespace host

// The desktop's top-level windows, other programs' included: on X, in the stacking order the
// window manager keeps (top first), titles and states as the desktop's conventions give them,
// and requests made through the window manager where one runs. Headless platforms show none.
// A handle to another program's window is valid while that window exists. GUI thread.
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
extern "C" {
// The first top-level window, top first, whose class and text match (whole, ignoring case); a
// null class or text matches any. For other programs' windows the class is that of WM_CLASS.
HWND FindWindowA(LPCSTR class_name, LPCSTR window_name);
// Calls `function` for each top-level window, top first, until it returns FALSE.
BOOL EnumWindows(WNDENUMPROC function, LPARAM parameter);
// UTF-8 text, cut to size - 1 bytes; returns the length copied.
int GetWindowTextA(HWND hwnd, LPSTR text, int size);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
BOOL IsIconic(HWND hwnd);
// Shown, minimised windows included.
BOOL IsWindowVisible(HWND hwnd);
// Raises the window and activates it.
BOOL BringWindowToTop(HWND hwnd);
// The window's process id (from _NET_WM_PID for other programs' windows; 0 when unknown); the
// thread is the process's main thread for them, the GUI thread for this program's windows.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id);
}
