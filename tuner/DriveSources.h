// The drives and folders of the prefix as the drive box and the directory lists show them, and
// the process's current directory, read through the Windows drive, folder and directory
// functions of the host.
#pragma once

#include "forms/FileCtrl.h"

namespace DriveSources {

// One entry per drive, in letter order: "c: [label]" for fixed, CD and RAM drives, "x: \\server\share"
// (lower case) for network drives, "a:" for the others.
std::vector<TDriveEntry> Drives();
// The subdirectory names of a DOS directory, sorted without regard to case; hidden and system
// ones are left out, as the directory list leaves them out.
QStringList Subdirectories(QString const& Directory);
// The current directory of a drive, as "D:" resolves: the process's own when it lies on that
// drive, else its root.
QString CurrentDirectory(QChar Drive);
// The process's current directory (GetCurrentDirectoryA).
QString ProcessDirectory();

// Hands the functions above to the drive box and the directory lists.
void Install();

} // namespace DriveSources
