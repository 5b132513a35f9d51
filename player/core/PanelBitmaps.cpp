#include "core/PanelBitmaps.h"

#include "core/Player.h"
#include "resources/Resources.h"

namespace player {

PanelBitmaps bitmaps;

namespace {

HBITMAP load(int id) {
    return LoadBitmapA(windows.instance, MAKEINTRESOURCEA(static_cast<WORD>(id)));
}

bool read_size(HBITMAP bitmap, int& width, int& height) {
    BITMAP description{};
    if (GetObjectA(bitmap, sizeof description, &description) == 0)
        return false;
    width = description.bmWidth;
    height = description.bmHeight;
    return true;
}

} // namespace

bool load_panel_bitmaps() {
    delete_panel_bitmaps();
    bitmaps.panel = load(panel_bitmap_id);
    bitmaps.sprites = load(sprite_sheet_id);
    bitmaps.backdrop = load(backdrop_bitmap_id);
    int sheet_width = 0;
    int sheet_height = 0;
    const bool loaded = bitmaps.panel && bitmaps.sprites && bitmaps.backdrop &&
                        read_size(bitmaps.panel, bitmaps.panel_width, bitmaps.panel_height) &&
                        read_size(bitmaps.sprites, sheet_width, sheet_height) &&
                        read_size(bitmaps.backdrop, bitmaps.backdrop_width, bitmaps.backdrop_height);
    if (!loaded)
        delete_panel_bitmaps();
    return loaded;
}

void delete_panel_bitmaps() {
    for (HBITMAP bitmap : {bitmaps.panel, bitmaps.sprites, bitmaps.backdrop})
        if (bitmap)
            DeleteObject(bitmap);
    bitmaps = PanelBitmaps{};
}

} // namespace player
