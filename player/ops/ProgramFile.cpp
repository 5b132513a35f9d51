#include "ops/DriverSetup.h"

#include "host/kernel32.h"

namespace player {

PackageIndex package_index;
bool build_mode = false;

bool own_program_file(char* path, std::size_t size) {
    const DWORD length = GetModuleFileNameA(nullptr, path, static_cast<DWORD>(size));
    return length > 0 && length < size;
}

bool file_exists(char const* path) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

std::optional<std::uint32_t> file_size_of(char const* path) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FindClose(search);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.nFileSizeHigh != 0)
        return std::nullopt;
    return found.nFileSizeLow;
}

} // namespace player
