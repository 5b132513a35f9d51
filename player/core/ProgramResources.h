// Hands the player's own resources (bitmaps, icons, the accelerator table; see
// resources/Resources.h) to the host, so that LoadBitmapA, LoadIconA and LoadAcceleratorsA find
// them as they would in the program's resource section. Called once at start-up, GUI thread.
#pragma once

namespace player {

void register_program_resources();

} // namespace player
