#pragma once
// Bytes passed from one open file (CreateFileA) to another inside the kernel, without a trip
// through the program's memory: what a copy loop uses when it only hands the bytes on. Where the
// kernel cannot copy between the two files (another file system, a special file), the bytes go
// through memory instead, with the same result.

#include "host/win_types.h"

namespace host {

// Copies up to `count` bytes from `source`'s position to `target`'s, as ReadFile and WriteFile
// of the same bytes would, and moves both positions on by what was copied. Fewer than `count`
// only where the source ends. On a failure FALSE, `copied` tells what was copied before it, and
// GetLastError tells which side failed: ERROR_READ_FAULT for the source, ERROR_WRITE_FAULT or
// ERROR_DISK_FULL for the target (which fails every later write then, as after WriteFile);
// ERROR_INVALID_HANDLE, ERROR_ACCESS_DENIED or ERROR_INVALID_PARAMETER for handles that are not
// a readable and a writable file, or for one file handle given twice.
BOOL copy_file_bytes(HANDLE source, HANDLE target, DWORD count, DWORD* copied);

} // namespace host
