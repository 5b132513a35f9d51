// Start-up of the player: the program entry, the two window classes and the main window with
// its geometry. GUI thread only.
#pragma once

#include "host/user32.h"

#include <span>
#include <string>

namespace player {

// The program entry: sets the start-up values, reads the arguments after the program name,
// registers the classes, creates the main window, opens the files named on the command line and
// runs the message loop. Returns the exit
// code: the quit message's, or 0 after the usage box or a failed start.
int player_entry(HINSTANCE instance, std::span<std::string const> arguments, int show);

// Registers "CMDLG" and "MYCMDLG" and loads the accelerator table "MPEGACCE"; false when a
// registration fails.
bool register_classes(HINSTANCE instance);

// Loads the bitmaps, computes the geometry, creates and shows the main window; false when it
// cannot be created.
bool create_main_window(HINSTANCE instance, int show);

// The main window's place and size for a screen and the loaded bitmaps (centred, truncating).
struct MainWindowGeometry {
    int x;
    int y;
    int width;
    int height;
};
MainWindowGeometry main_window_geometry(int screen_width, int screen_height, int panel_width,
                                        int panel_height, int backdrop_height);

} // namespace player
