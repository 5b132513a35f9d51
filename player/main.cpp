// reelp32: the movie player. The whole program runs on the GUI thread inside its message loop.
#include "core/Startup.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return player::player_entry(nullptr, arguments, SW_SHOWNORMAL);
}
