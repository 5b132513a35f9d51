#include "FileErrors.h"

#include "host/kernel32.h"

#include <cerrno>
#include <sys/stat.h>

namespace host {

DWORD windows_error_for(int error, const std::filesystem::path& file) {
    constexpr DWORD error_not_same_device = 17;
    switch (error) {
    case ENOENT: {
        if (file.empty())
            return ERROR_FILE_NOT_FOUND;
        struct stat folder{};
        const std::filesystem::path parent = file.parent_path();
        const bool folder_exists = !parent.empty() && stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return folder_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
    case ENOTEMPTY:
        return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EXDEV:
        return error_not_same_device;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

void set_last_error_from_errno(int error, const std::filesystem::path& file) {
    SetLastError(windows_error_for(error, file));
}

} // namespace host
