#include "core/PanelPainter.h"

#include "core/PanelBitmaps.h"
#include "core/Player.h"
#include "resources/ArtLayout.h"

#include <vector>

namespace player {

namespace {

// Performs plain copies from `bitmap` onto `target` through one memory device context.
void perform_copies(HDC target, HBITMAP bitmap, std::vector<BitmapCopy> const& copies) {
    if (!target || !bitmap || copies.empty())
        return;
    const HDC memory = CreateCompatibleDC(target);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    for (BitmapCopy const& c : copies)
        BitBlt(target, c.x, c.y, c.width, c.height, memory, c.source_x, c.source_y, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

bool shows_video_frame() {
    return state.media_open && state.video_window;
}

} // namespace

void redraw_panel(char const* text, int parts) {
    const HWND hwnd = windows.main_window;
    if (!hwnd || !bitmaps.sprites)
        return;
    const std::vector<BitmapCopy> copies = panel_copies(state, text, parts, panel_look);
    const HDC hdc = GetDC(hwnd);
    perform_copies(hdc, bitmaps.sprites, copies);
    ReleaseDC(hwnd, hdc);
}

void paint_main_window(HWND hwnd) {
    PAINTSTRUCT paint;
    const HDC hdc = BeginPaint(hwnd, &paint);
    perform_copies(hdc, bitmaps.panel, {{0, 0, bitmaps.panel_width, bitmaps.panel_height, 0, 0}});
    if (shows_video_frame())
        perform_copies(hdc, bitmaps.backdrop,
                       frame_copies(bitmaps.panel_height, bitmaps.backdrop_width, bitmaps.backdrop_height,
                                    state.video_height));
    else
        perform_copies(hdc, bitmaps.backdrop,
                       {{0, 0, bitmaps.backdrop_width, bitmaps.backdrop_height, 0, bitmaps.panel_height}});
    EndPaint(hwnd, &paint);
    // With nothing open only the text field is drawn, so the banner shows on an empty panel.
    redraw_panel(state.status_text, state.media_open ? panel_part::all : panel_part::text_field);
}

void draw_panel_button(DRAWITEMSTRUCT const& item, bool pressed) {
    const int id = static_cast<int>(item.CtlID);
    if (id < art::first_button_id || id >= art::first_button_id + art::button_count)
        return;
    const art::SpriteRect source = pressed ? art::button_pressed(id) : art::button_normal(id);
    perform_copies(item.hDC, bitmaps.sprites,
                   {{source.x, source.y, source.width, source.height, item.rcItem.left, item.rcItem.top}});
}

} // namespace player
