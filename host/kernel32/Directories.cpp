// The current directory, full paths and short paths, for DOS paths of the prefix.
#include "host/kernel32.h"
#include "PathBuffer.h"
#include "prefix/DosPathText.h"
#include "prefix/FileErrors.h"
#include "prefix/Prefix.h"
#include "prefix/ShortNames.h"

#include <cctype>
#include <cerrno>
#include <sys/stat.h>

using namespace host;

namespace {

// The drive and root at the start of a path, as written ("C:\", "C:", "\" or nothing).
std::size_t lead_length(std::string_view path) {
    std::size_t lead = 0;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        lead = 2;
    if (lead < path.size() && is_dos_separator(path[lead]))
        ++lead;
    return lead;
}

// The host file of a DOS path, or the Windows error that says why there is none.
DWORD find_host_file(std::string_view dos_path, std::filesystem::path& file) {
    auto path = Prefix::current().to_host(dos_path);
    if (!path)
        return ERROR_PATH_NOT_FOUND;
    struct stat st{};
    if (stat(path->c_str(), &st) != 0)
        return windows_error_for(errno, *path);
    file = *path;
    return ERROR_SUCCESS;
}

} // namespace

extern "C" DWORD GetCurrentDirectoryA(DWORD buffer_length, LPSTR buffer) {
    return copy_path_out(Prefix::current().current_directory(), buffer, buffer_length);
}

extern "C" BOOL SetCurrentDirectoryA(LPCSTR path_name) {
    if (!path_name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error = Prefix::current().set_current_directory(path_name);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD GetFullPathNameA(LPCSTR file_name, DWORD buffer_length, LPSTR buffer, LPSTR* file_part) {
    if (!file_name || !*file_name) {
        SetLastError(file_name ? ERROR_INVALID_NAME : ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto full = Prefix::current().full_path(file_name, true);
    if (!full) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    DWORD length = copy_path_out(*full, buffer, buffer_length);
    if (file_part && length == full->size()) {
        std::size_t last = full->rfind('\\');
        *file_part = last + 1 < full->size() ? buffer + last + 1 : nullptr;
    }
    return length;
}

extern "C" DWORD GetShortPathNameA(LPCSTR long_path, LPSTR short_path, DWORD buffer_length) {
    if (!long_path || !*long_path) {
        SetLastError(long_path ? ERROR_INVALID_NAME : ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string_view path(long_path);
    std::filesystem::path file;
    if (DWORD error = find_host_file(path, file); error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    // The path keeps its form (drive, root, relative). A component that is an 8.3 name stays
    // as written; another becomes the short name of the entry it finds.
    std::size_t lead = lead_length(path);
    std::string walked(path.substr(0, lead));
    std::string result = walked;
    if (lead > 0 && is_dos_separator(result.back()))
        result.back() = '\\';
    auto parts = split_dos_components(path.substr(lead));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        walked += parts[i];
        if (parts[i] == "." || parts[i] == ".." || is_valid_short_name(parts[i])) {
            result += parts[i];
        } else {
            if (DWORD error = find_host_file(walked, file); error != ERROR_SUCCESS) {
                SetLastError(error);
                return 0;
            }
            std::string name = file.filename().string();
            result += is_valid_short_name(name) ? name : short_name_of(name);
        }
        if (i + 1 < parts.size() || is_dos_separator(path.back())) {
            walked += '\\';
            result += '\\';
        }
    }
    return copy_path_out(result, short_path, buffer_length);
}
