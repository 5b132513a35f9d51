#include "StartFolder.h"

#include "host/kernel32.h"

#include <algorithm>

namespace StartFolder {

bool AskedFor(std::span<std::string const> Arguments) {
    return std::ranges::find(Arguments, WindowsFolderSwitch) != Arguments.end();
}

bool EnterWindowsFolder() {
    char Folder[MAX_PATH] = {};
    const UINT Length = GetWindowsDirectoryA(Folder, sizeof Folder);
    return Length > 0 && Length < sizeof Folder && SetCurrentDirectoryA(Folder);
}

} // namespace StartFolder
