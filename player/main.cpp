// reelp32: the movie player. The whole program runs on the GUI thread inside its message loop.
#include "core/Startup.h"

#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The player places its window, and the device's video window below its panel, at screen
    // positions, and suspends the screen saver by window id: X11 does both, Wayland neither. In
    // a Wayland session it runs through XWayland, unless the user chose a Qt platform.
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return player::player_entry(nullptr, arguments, SW_SHOWNORMAL);
}
