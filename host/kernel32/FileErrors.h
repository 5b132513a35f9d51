// The last error of a failed POSIX call, in the terms of the Windows file functions.
#pragma once

namespace host {

// ENOENT: ERROR_FILE_NOT_FOUND; ENOTDIR: ERROR_PATH_NOT_FOUND; EEXIST: ERROR_ALREADY_EXISTS;
// ENOSPC and EDQUOT: ERROR_DISK_FULL; EXDEV: ERROR_NOT_SAME_DEVICE; everything else that refuses
// access: ERROR_ACCESS_DENIED.
void set_last_error_from_errno(int error);

} // namespace host
