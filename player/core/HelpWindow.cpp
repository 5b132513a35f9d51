#include "core/HelpWindow.h"

#include "core/HelpTexts.h"
#include "core/PanelBitmaps.h"
#include "core/Player.h"
#include "ops/Transport.h"

namespace player {

int help_page_number = 0;

namespace {

constexpr COLORREF help_text_colour = RGB(0, 255, 255);
constexpr int text_margin = 24; // left, top and bottom margins are 24 and 12 pixels
constexpr int top_margin = 12;
constexpr int key_column_right = 76;
constexpr int phrase_column_left = 88;
constexpr int phrase_column_right_margin = 10;

void draw_text(HDC hdc, std::string const& text, RECT area) {
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &area, 0);
}

void paint_help(HWND hwnd) {
    PAINTSTRUCT paint;
    const HDC hdc = BeginPaint(hwnd, &paint);
    const HDC memory = CreateCompatibleDC(hdc);
    const HGDIOBJ previous = SelectObject(memory, bitmaps.backdrop);
    BitBlt(hdc, 0, 0, bitmaps.backdrop_width, bitmaps.backdrop_height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);

    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, help_text_colour);
    const HelpPage page = help_page(help_page_number);
    const LONG bottom = bitmaps.backdrop_height - top_margin;
    if (help_page_number == 0) {
        draw_text(hdc, page.about, {text_margin, top_margin, bitmaps.backdrop_width - text_margin, bottom});
    } else {
        draw_text(hdc, page.keys, {text_margin, top_margin, key_column_right, bottom});
        draw_text(
            hdc, page.phrases,
            {phrase_column_left, top_margin, bitmaps.backdrop_width - phrase_column_right_margin, bottom});
    }
    EndPaint(hwnd, &paint);
}

void close_help(HWND hwnd) {
    ReleaseCapture();
    DestroyWindow(hwnd);
}

void next_page(HWND hwnd) {
    ++help_page_number;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (help_page_number >= help_page_count) {
        close_help(hwnd);
        help_page_number = 0;
    }
}

} // namespace

void show_help_window() {
    if (state.media_open && state.playing)
        stop();
    const HWND help =
        CreateWindowExA(0, help_class_name, "Reelix About", WS_POPUP | WS_VISIBLE, state.window_x,
                        state.window_y + bitmaps.panel_height, bitmaps.backdrop_width,
                        bitmaps.backdrop_height, windows.main_window, nullptr, windows.instance, nullptr);
    if (!help)
        return;
    windows.help_window = help;
    UpdateWindow(help);
    SetActiveWindow(help);
    SetCapture(help);
}

LRESULT help_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        paint_help(hwnd);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        next_page(hwnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) != 1)
            return DefWindowProcA(hwnd, message, wparam, lparam);
        DestroyWindow(hwnd);
        return 0;
    case WM_QUIT:
        close_help(hwnd);
        return 0;
    case WM_DESTROY:
        if (windows.help_window == hwnd)
            windows.help_window = nullptr;
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace player
