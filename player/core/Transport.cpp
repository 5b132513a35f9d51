#include "core/Transport.h"

#include "core/CommandChannel.h"
#include "core/PanelBitmaps.h"
#include "core/PanelPainter.h"
#include "core/Player.h"

namespace player {

namespace {

constexpr UINT configure_command = 525;

// The normal layout: the panel with the framed picture under it, or with the backdrop.
void restore_normal_layout() {
    if (state.video_window) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        state.window_x = (width - bitmaps.panel_width) / 2;
        state.window_y = (height - (bitmaps.panel_height + state.video_height + 14)) / 2;
        MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
                   bitmaps.panel_height + state.video_height + 15, TRUE);
        MoveWindow(state.video_window, state.video_x, state.video_y + 1, state.video_width,
                   state.video_height, TRUE);
        return;
    }
    state.window_x = (state.screen_width - bitmaps.panel_width) / 2;
    state.window_y = (state.screen_height - (bitmaps.panel_height + bitmaps.backdrop_height)) / 2;
    MoveWindow(windows.main_window, state.window_x, state.window_y, bitmaps.panel_width,
               bitmaps.panel_height + bitmaps.backdrop_height, TRUE);
}

} // namespace

void stop() {
    send_command(nullptr, nullptr, "stop xyzmpeg wait");
    if (state.stop_timer == 0)
        state.stop_timer = SetTimer(windows.main_window, stop_timer_id, stop_timer_period_ms, nullptr);
    restore_normal_layout();
    state.playing = false;
    if (state.media_open)
        redraw_panel(state.status_text, panel_part::all);
}

void close_media() {
    if (state.media_open && state.playing)
        stop();
    state.playing = false;
    state.media_open = false;
    state.position_ms = 0;
    state.length_ms = 1;
    send_command(nullptr, nullptr, "close xyzmpeg wait");
    if (windows.main_menu)
        ModifyMenuA(windows.main_menu, configure_command, MF_BYCOMMAND | MF_STRING | MF_GRAYED,
                    configure_command, "&Configure ...");
}

} // namespace player
