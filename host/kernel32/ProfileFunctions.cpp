// GetPrivateProfileStringA and WritePrivateProfileStringA over the files of the prefix.
#include "prefix/AtomicFile.h"
#include "prefix/DosAttributes.h"
#include "host/kernel32.h"
#include "prefix/Prefix.h"
#include "ProfileText.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unistd.h>

namespace fs = std::filesystem;

namespace host {
namespace {

// A bare file name lives in the Windows directory; anything with a path or a drive is taken
// as it stands.
std::optional<fs::path> profile_path(const char* file_name) {
    std::string_view name(file_name);
    bool bare = name.find_first_of("\\/") == std::string_view::npos &&
                !(name.size() >= 2 && name[1] == ':');
    auto& prefix = Prefix::current();
    if (bare)
        return prefix.to_host(prefix.windows_directory() + "\\" + std::string(name));
    return prefix.to_host(name);
}

// Trailing spaces of a default are dropped; its first character always stays.
std::string trimmed_default(const char* default_value) {
    std::string value = default_value ? default_value : "";
    std::size_t keep = value.size();
    while (keep > 1 && value[keep - 1] == ' ')
        --keep;
    value.resize(keep);
    return value;
}

// Copies a value the way Windows hands out profile values: a value is a C string, so a NUL byte
// in the file ends it; matching quotes around a value of more than one character are removed;
// the copy is cut to the buffer.
DWORD copy_entry(std::string_view value, char* buffer, DWORD size) {
    value = value.substr(0, value.find('\0'));
    bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (quoted)
        value = value.substr(1, value.size() - 2);
    std::size_t length = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Writes names each followed by a NUL, then a final NUL. When they do not fit, the last name
// that does not fit is cut so that the buffer still ends in two NULs, and size - 2 is returned.
DWORD copy_name_list(const std::vector<std::string>& names, char* buffer, DWORD size) {
    std::size_t needed = 1;
    for (const auto& name : names)
        needed += name.size() + 1;
    if (needed <= size) {
        std::size_t at = 0;
        for (const auto& name : names) {
            std::memcpy(buffer + at, name.c_str(), name.size() + 1);
            at += name.size() + 1;
        }
        buffer[at] = '\0';
        return static_cast<DWORD>(needed - 1);
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t at = 0;
    for (const auto& name : names) {
        std::size_t room = size - 2 - at; // leave the two closing NULs
        std::size_t take = std::min(room, name.size());
        std::memcpy(buffer + at, name.data(), take);
        at += take;
        buffer[at++] = '\0';
        if (take < name.size() || at >= size - 1)
            break;
    }
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::string trimmed_name(const char* name) { return std::string(trim_profile_blanks(name)); }

DWORD error_for_write(const std::error_code& error) {
    switch (error.value()) {
    case ENOENT:
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EIO:
        return ERROR_WRITE_FAULT;
    case EFBIG:
        return ERROR_FILE_TOO_LARGE;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

DWORD get_profile_string(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR returned, DWORD size,
                         LPCSTR file_name) {
    std::string fallback = trimmed_default(default_value);
    std::optional<std::string> text;
    if (file_name && *file_name) {
        if (auto path = profile_path(file_name)) {
            std::error_code error;
            text = read_whole_file(*path, error);
        }
    }
    if (!text) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return copy_entry(fallback, returned, size);
    }
    ProfileText profile(std::move(*text));
    if (!section)
        return copy_name_list(profile.section_names(), returned, size);
    std::string section_name = trimmed_name(section);
    if (!key) {
        auto names = profile.key_names(section_name);
        if (names && !names->empty())
            return copy_name_list(*names, returned, size);
        return copy_entry(fallback, returned, size);
    }
    std::string key_name = trimmed_name(key);
    std::optional<std::string> value;
    if (!section_name.empty() && !key_name.empty())
        value = profile.value(section_name, key_name);
    if (!value)
        SetLastError(ERROR_FILE_NOT_FOUND);
    return copy_entry(value ? *value : fallback, returned, size);
}

BOOL write_profile_string(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name) {
    auto path = profile_path(file_name);
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    std::error_code error;
    if (fs::exists(*path, error)) {
        DWORD attributes = get_dos_attributes(*path);
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (access(path->c_str(), W_OK) != 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    std::string section_name = trimmed_name(section);
    auto edit = [&](const std::optional<std::string>& current) -> std::optional<std::string> {
        ProfileText profile(current.value_or(std::string()));
        if (!key)
            profile.remove_section(section_name);
        else if (!value)
            profile.remove_key(section_name, trimmed_name(key));
        else
            profile.set(section_name, trimmed_name(key), value);
        if (current && profile.bytes() == *current)
            return std::nullopt;
        return profile.bytes();
    };
    if (!update_file(*path, edit, error)) {
        SetLastError(error_for_write(error));
        return FALSE;
    }
    return TRUE;
}

} // namespace
} // namespace host

using namespace host;

// No exception leaves the functions: running out of memory is a failure like any other.
extern "C" DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR returned,
                                          DWORD size, LPCSTR file_name) {
    if (!returned || size == 0)
        return 0;
    try {
        return get_profile_string(section, key, default_value, returned, size, file_name);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    returned[0] = '\0';
    return 0;
}

extern "C" BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name) {
    if (!file_name || !*file_name) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!section) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    try {
        return write_profile_string(section, key, value, file_name);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        SetLastError(ERROR_WRITE_FAULT);
    }
    return FALSE;
}
