// The window layouts of an open medium: the normal one (the panel with the picture framed under
// it, or with the backdrop) and the full-screen one.
#include "ops/Transport.h"

#include "core/PanelBitmaps.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

namespace player {

namespace {

// The normal layout with a video window, centred on the current screen.
void normal_video_layout() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    state.window_x = (width - bitmaps.panel_width) / 2;
    state.window_y = (height - (bitmaps.panel_height + state.video_height + 14)) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
               bitmaps.panel_height + state.video_height + 15, TRUE);
    MoveWindow(state.video_window, state.video_x, state.video_y + 1, state.video_width, state.video_height,
               TRUE);
}

} // namespace

void restore_normal_layout() {
    if (state.video_window) {
        normal_video_layout();
        return;
    }
    state.window_x = (state.screen_width - bitmaps.panel_width) / 2;
    state.window_y = (state.screen_height - (bitmaps.panel_height + bitmaps.backdrop_height)) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
               bitmaps.panel_height + bitmaps.backdrop_height, TRUE);
}

void apply_layout() {
    if (state.media_open && state.video_window) {
        if (state.full_size) {
            // A little larger than the screen, so that the device's own borders fall outside it.
            const int width = GetSystemMetrics(SM_CXSCREEN);
            const int height = GetSystemMetrics(SM_CYSCREEN);
            const int full_width = width + width * 8 / 640;
            const int full_height = height + height * 6 / 480;
            MoveWindow(windows.main_window, 0, 0, full_width, full_height, TRUE);
            MoveWindow(state.video_window, 0, 0, full_width, full_height, TRUE);
            state.window_x = 0;
            state.window_y = 0;
        } else {
            normal_video_layout();
        }
    }
    redraw_panel(state.status_text, panel_part::all);
}

void toggle_full_size() {
    state.full_size = !state.full_size;
    apply_layout();
    play();
}

} // namespace player
