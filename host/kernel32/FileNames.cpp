// MoveFileA, MoveFileExA and DeleteFileA: renaming and removing files by DOS path.
#include "host/kernel32.h"
#include "prefix/FileErrors.h"
#include "prefix/DosAttributes.h"
#include "prefix/Prefix.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

namespace {

std::optional<std::filesystem::path> host_path(LPCSTR dos_path) {
    if (!dos_path || !*dos_path)
        return std::nullopt;
    return host::Prefix::current().to_host(dos_path);
}

// Renames without replacing: the kernel refuses when the new name exists, so two programs
// racing for one name cannot overwrite each other.
int rename_keeping_target(std::filesystem::path const& from, std::filesystem::path const& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without RENAME_NOREPLACE: a hard link fails on an existing name too.
    struct stat status {};
    if (lstat(from.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
        if (link(from.c_str(), to.c_str()) != 0)
            return -1;
        return unlink(from.c_str());
    }
    if (lstat(to.c_str(), &status) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

} // namespace

extern "C" {

BOOL MoveFileExA(LPCSTR existing_name, LPCSTR new_name, DWORD flags) {
    const std::optional<std::filesystem::path> from = host_path(existing_name);
    const std::optional<std::filesystem::path> to = host_path(new_name);
    if (!from || !to) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct stat source {};
    if (lstat(from->c_str(), &source) != 0) {
        host::set_last_error_from_errno(errno);
        return FALSE;
    }
    if (flags & MOVEFILE_REPLACE_EXISTING) {
        struct stat target {};
        // Only a file is replaced; a folder of the new name stays (as on Windows).
        if (lstat(to->c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (rename(from->c_str(), to->c_str()) != 0) {
            host::set_last_error_from_errno(errno);
            return FALSE;
        }
        return TRUE;
    }
    if (rename_keeping_target(*from, *to) != 0) {
        host::set_last_error_from_errno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileA(LPCSTR existing_name, LPCSTR new_name) {
    return MoveFileExA(existing_name, new_name, 0);
}

BOOL DeleteFileA(LPCSTR file_name) {
    const std::optional<std::filesystem::path> path = host_path(file_name);
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct stat status {};
    // Folders and read-only files are refused, as on Windows.
    if (lstat(path->c_str(), &status) == 0) {
        const DWORD attributes = S_ISREG(status.st_mode) ? host::get_dos_attributes(*path) : 0;
        const bool read_only =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        if (S_ISDIR(status.st_mode) || read_only) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    if (unlink(path->c_str()) != 0) {
        host::set_last_error_from_errno(errno, *path);
        return FALSE;
    }
    return TRUE;
}

} // extern "C"
