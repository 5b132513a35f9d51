// The three bitmaps the panel is painted from, and their sizes as read from the loaded bitmaps:
// all layout arithmetic uses these sizes, not the shipped constants.
#pragma once

#include "host/gdi32.h"

namespace player {

struct PanelBitmaps {
    HBITMAP panel = nullptr;    // the control panel (resource 554)
    HBITMAP sprites = nullptr;  // the sprite sheet (resource 555)
    HBITMAP backdrop = nullptr; // the picture frame and backdrop (resource 1206)
    int panel_width = 0;
    int panel_height = 0;
    int backdrop_width = 0;
    int backdrop_height = 0;
};

extern PanelBitmaps bitmaps;

// Loads the three bitmaps from the program's resources and reads their sizes; false (with
// nothing kept) when one of them is missing.
bool load_panel_bitmaps();

// Deletes the bitmaps; harmless when they were never loaded.
void delete_panel_bitmaps();

} // namespace player
