#include "StartFolder.h"

#include "host/HostPaths.h"
#include "host/kernel32.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace StartFolder {

bool AskedFor(std::span<std::string const> Arguments) {
    return std::ranges::find(Arguments, WindowsFolderSwitch) != Arguments.end();
}

bool EnterWindowsFolder() {
    char Folder[MAX_PATH] = {};
    const UINT Length = GetWindowsDirectoryA(Folder, sizeof Folder);
    if (Length == 0 || Length >= sizeof Folder)
        return false;
    const auto Host = host::host_path_of(Folder);
    if (!Host)
        return false;
    std::error_code Error;
    std::filesystem::current_path(*Host, Error);
    return !Error;
}

} // namespace StartFolder
