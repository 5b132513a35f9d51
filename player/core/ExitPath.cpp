#include "core/ExitPath.h"

#include "core/Player.h"
#include "ops/Transport.h"

namespace player {

void request_exit() {
    state.exit_requested = true;
    stop();
}

void exit_or_break() {
    if (state.idle)
        request_exit();
    else
        state.idle = true;
}

void shutdown_player() {
    if (state.stop_timer) {
        KillTimer(windows.main_window, state.stop_timer);
        state.stop_timer = 0;
    }
    if (state.media_open)
        close_media();
    if (windows.main_window)
        DestroyWindow(windows.main_window);
}

} // namespace player
