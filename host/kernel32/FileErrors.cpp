#include "kernel32/FileErrors.h"

#include "host/kernel32.h"

#include <sys/stat.h>

#include <cerrno>

namespace host {

void set_last_error_from_errno(int error) {
    constexpr DWORD error_not_same_device = 17;
    switch (error) {
    case ENOENT:
        SetLastError(ERROR_FILE_NOT_FOUND);
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
        SetLastError(ERROR_PATH_NOT_FOUND);
        break;
    case EEXIST:
    case ENOTEMPTY:
        SetLastError(ERROR_ALREADY_EXISTS);
        break;
    case ENOSPC:
    case EDQUOT:
        SetLastError(ERROR_DISK_FULL);
        break;
    case EXDEV:
        SetLastError(error_not_same_device);
        break;
    case ENOMEM:
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        break;
    case EIO:
        SetLastError(ERROR_WRITE_FAULT);
        break;
    default:
        SetLastError(ERROR_ACCESS_DENIED);
    }
}

void set_last_error_from_errno(int error, std::filesystem::path const& path) {
    struct stat folder {};
    if (error == ENOENT && (stat(path.parent_path().c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)))
        SetLastError(ERROR_PATH_NOT_FOUND);
    else
        set_last_error_from_errno(error);
}

} // namespace host
