#include "core/OutputFolder.h"

#include "core/Player.h"

#include "host/HostPaths.h"

#include <cstring>
#include <filesystem>
#include <system_error>

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
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    std::string folder;
    if (!error) {
        // A name inside the folder, so that splitting it keeps the whole folder as directory.
        if (auto dos = host::dos_path_of(here / "REELP32.EXE", true))
            folder = drive_and_directory(*dos);
    }
    if (folder.size() >= sizeof state.output_folder)
        folder.clear();
    std::memcpy(state.output_folder, folder.c_str(), folder.size() + 1);
}

} // namespace player
