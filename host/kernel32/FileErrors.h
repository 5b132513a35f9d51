// The last error of a failed POSIX call, in the terms of the Windows file functions.
#pragma once

#include <filesystem>

namespace host {

// ENOENT: ERROR_FILE_NOT_FOUND; ENOTDIR: ERROR_PATH_NOT_FOUND; EEXIST: ERROR_ALREADY_EXISTS;
// ENOSPC and EDQUOT: ERROR_DISK_FULL; EXDEV: ERROR_NOT_SAME_DEVICE; everything else that refuses
// access: ERROR_ACCESS_DENIED.
void set_last_error_from_errno(int error);
// The same for a call on `path`, where ENOENT tells a missing file (ERROR_FILE_NOT_FOUND) from a
// missing folder on the way (ERROR_PATH_NOT_FOUND), as Windows does.
void set_last_error_from_errno(int error, std::filesystem::path const& path);

} // namespace host
