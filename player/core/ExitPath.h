// The orderly exit. An exit command only asks (request_exit); the next player_tick performs it
// (shutdown_player): the medium is closed before the main window goes, and the window's
// destruction ends the message loop. GUI thread only.
#pragma once

namespace player {

// Sets exit_requested and stops play, which makes sure the once-a-second timer runs.
void request_exit();

// "exit this player" (ESC): request_exit, unless a series capture or cut runs (`idle` is clear):
// then it only sets `idle`, which breaks that operation.
void exit_or_break();

// Kills the stop timer, closes the medium and destroys the main window.
void shutdown_player();

} // namespace player
