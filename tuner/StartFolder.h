// Where the tuner starts: its folder lists open in the process's current folder, so a tuner
// started from the desktop's menu (in the user's home) moves into the prefix's Windows folder
// first, as one started by `make run` does.
#pragma once

#include <span>
#include <string>

namespace StartFolder {

// The switch that asks for the move.
inline constexpr char WindowsFolderSwitch[] = "--windows-folder";

// True when the arguments after the program name hold the switch.
bool AskedFor(std::span<std::string const> Arguments);

// Makes the Windows folder (GetWindowsDirectoryA, seeding a new prefix) the current folder;
// false, and the current folder unchanged, when that folder is not there.
bool EnterWindowsFolder();

} // namespace StartFolder
