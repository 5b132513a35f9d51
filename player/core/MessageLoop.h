// The player's message loops: the main loop of the program, and the one-message pump that long
// operations call between their steps so that keys keep working. Both translate the
// accelerator table "MPEGACCE" for the main window. GUI thread only.
#pragma once

namespace player {

// Runs until the quit message; returns its exit code.
int run_message_loop();

// Handles at most one pending message, without waiting.
void pump_one_message();

} // namespace player
