// The transport operations the player core itself needs: stopping play (which starts the
// once-a-second stop timer) and closing the medium. GUI thread only.
#pragma once

#include "host/user32.h"

namespace player {

// Id and period of the window timer that runs player_tick while nothing plays.
constexpr UINT_PTR stop_timer_id = 9;
constexpr UINT stop_timer_period_ms = 1000;

// Stops the device, makes sure the stop timer runs, restores the normal layout (keeping
// full_size) and refreshes the panel when a medium is open.
void stop();

// Stops play when playing, clears the medium fields, sends "close xyzmpeg wait" and grays the
// configure entry of the menu.
void close_media();

} // namespace player
