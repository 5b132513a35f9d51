// Windows error codes for the errno of a failed file-system call.
#pragma once

#include "host/win_types.h"

#include <filesystem>

namespace host {

// ENOENT is ERROR_FILE_NOT_FOUND when the file's folder exists and ERROR_PATH_NOT_FOUND when it
// does not, as Windows tells a missing file from a missing folder on the way; ENOTDIR (a file
// where a folder is expected) and a name too long are ERROR_PATH_NOT_FOUND; the rest is
// ERROR_ACCESS_DENIED.
DWORD windows_error_for(int error, const std::filesystem::path& file);

}
