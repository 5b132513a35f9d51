// Windows error codes for the errno of a failed file-system call: the one table of the host.
#pragma once

#include "host/win_types.h"

#include <filesystem>

namespace host {

// ENOENT is ERROR_FILE_NOT_FOUND, or ERROR_PATH_NOT_FOUND when `file` is given and its folder does
// not exist, as Windows tells a missing file from a missing folder on the way; ENOTDIR (a file
// where a folder is expected), a name too long and a loop of links are ERROR_PATH_NOT_FOUND;
// EEXIST and ENOTEMPTY ERROR_ALREADY_EXISTS; ENOSPC and EDQUOT ERROR_DISK_FULL; EXDEV
// ERROR_NOT_SAME_DEVICE; ENOMEM ERROR_NOT_ENOUGH_MEMORY; EIO ERROR_WRITE_FAULT; everything else
// that refuses access ERROR_ACCESS_DENIED. Functions whose Windows counterparts say something
// else for a case (CreateFileA's ERROR_FILE_EXISTS) decide that case before asking.
DWORD windows_error_for(int error, const std::filesystem::path& file = {});

// SetLastError(windows_error_for(error, file)).
void set_last_error_from_errno(int error, const std::filesystem::path& file = {});

} // namespace host
