#include "core/PlayerTick.h"

#include "core/CommandChannel.h"
#include "core/ExitPath.h"
#include "core/PanelLayout.h"
#include "core/PanelPainter.h"
#include "core/PlayList.h"
#include "core/Player.h"
#include "ops/Transport.h"

#include <strings.h>

#include <cstring>
#include <limits>

namespace player {

namespace {

// "playing" in GB2312, as Chinese versions of the MPEG driver answer "status ... mode".
constexpr char gb2312_playing[] = "\xB2\xA5\xB7\xC5\xD6\xD0";

bool reports_playing(char const* mode) {
    return strcasecmp(mode, "playing") == 0 || std::strcmp(mode, gb2312_playing) == 0;
}

// The device stopped by itself (the end of a clip it does not loop, or a decoding fault): skip one
// second past the place where it stopped, or go on to the next item past the end.
void recover_stopped_device() {
    constexpr std::int32_t skip_ms = 1000;
    const std::int32_t limit = std::numeric_limits<std::int32_t>::max();
    state.position_ms = state.position_ms > limit - skip_ms ? limit : state.position_ms + skip_ms;
    if (state.position_ms > state.length_ms) {
        next_item();
        return;
    }
    seek_to(state.position_ms);
    play();
}

} // namespace

void player_tick() {
    if (state.exit_requested) {
        shutdown_player();
        return;
    }
    if (!state.media_open || !state.playing)
        return;
    follow_playing_device();
}

void follow_playing_device() {
    // While something plays the player takes the activation back every tick.
    if (GetActiveWindow() != windows.main_window)
        SetActiveWindow(windows.main_window);

    send_to_device(reply_buffer, nullptr, "status position wait");
    state.position_ms = parse_int(reply_buffer);
    if (!state.full_size)
        redraw_panel(state.status_text,
                     panel_part::position_bar | panel_part::blink_and_percentage | panel_part::play_lamp);

    send_to_device(reply_buffer, nullptr, "status mode wait");
    if (!reports_playing(reply_buffer))
        recover_stopped_device();

    if (state.fast_view && state.media_open && state.playing)
        fast_view_jump();
}

} // namespace player
