#include "core/OutputFolder.h"

#include "core/Player.h"

#include "host/kernel32.h"

#include <cstring>

namespace player {

std::string drive_and_directory(std::string_view path) {
    std::string_view drive;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const auto last_separator = path.find_last_of("\\/");
    const std::string_view directory =
        last_separator == std::string_view::npos ? std::string_view() : path.substr(0, last_separator + 1);
    return std::string(drive) + std::string(directory);
}

void set_output_folder() {
    // The current folder in 8.3 names, which keeps it short and free of blanks.
    char here[MAX_PATH];
    char short_here[MAX_PATH];
    std::string folder;
    DWORD length = GetCurrentDirectoryA(sizeof here, here);
    if (length > 0 && length < sizeof here) {
        length = GetShortPathNameA(here, short_here, sizeof short_here);
        if (length > 0 && length < sizeof short_here) {
            std::string path(short_here, length);
            if (path.back() != '\\')
                path += '\\';
            // A name inside the folder, so that splitting it keeps the whole folder as directory.
            folder = drive_and_directory(path + "REELP32.EXE");
        }
    }
    if (folder.size() >= sizeof state.output_folder)
        folder.clear();
    std::memcpy(state.output_folder, folder.c_str(), folder.size() + 1);
}

} // namespace player
