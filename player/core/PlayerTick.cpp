#include "core/PlayerTick.h"

#include "core/ExitPath.h"
#include "core/Player.h"

namespace player {

void player_tick() {
    if (state.exit_requested) {
        shutdown_player();
        return;
    }
    if (!state.media_open || !state.playing)
        return;
    follow_playing_device();
}

// Not yet built: following the playing device (position, mode, end-of-clip recovery, fast view).
void follow_playing_device() {}

} // namespace player
