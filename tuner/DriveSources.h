// The drives and folders of the prefix as the drive box and the directory lists show them,
// read through the host's drive functions, and the process's current directory as a DOS path.
#pragma once

#include "forms/FileCtrl.h"

namespace DriveSources {

// One entry per drive, in letter order: "c: [label]" for fixed, CD and RAM drives, "x: \\server\share"
// (lower case) for network drives, "a:" for the others.
std::vector<TDriveEntry> Drives();
// The subdirectory names of a DOS directory, sorted without regard to case.
QStringList Subdirectories(QString const& Directory);
// The current directory of a drive: the process's own when it lies on that drive, else its root.
QString CurrentDirectory(QChar Drive);
// The process's working directory as a DOS path ("C:\" when no drive holds it).
QString ProcessDirectory();

// Hands the functions above to the drive box and the directory lists.
void Install();

} // namespace DriveSources
