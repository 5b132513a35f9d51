// The player's once-a-second routine, run for every WM_TIMER (the stop timer, while nothing
// plays) and every MM_MCISIGNAL (the device's position signal, while something plays) of the
// main window. GUI thread only.
#pragma once

namespace player {

void player_tick();

// While playing: reads the position and mode, redraws the position bar, lamps and percentage,
// and recovers when the device stopped by itself.
void follow_playing_device();

} // namespace player
