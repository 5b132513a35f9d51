// Kernel services the programs call: last error, the Windows directory, private-profile files,
// file attributes and drives. Paths are DOS paths resolved in the prefix (see prefix.h).
// All functions are for the GUI thread of the calling program; the last error is per thread.
#pragma once

#include "host/win_types.h"

extern "C" {

DWORD GetLastError();
void SetLastError(DWORD code);

// Copies the Windows directory ("C:\WINDOWS") and returns its length; when the buffer is too
// small, returns the size needed including the terminating NUL and copies nothing.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR returned,
                               DWORD size, LPCSTR file_name);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file_name);

DWORD GetFileAttributesA(LPCSTR file_name);
BOOL SetFileAttributesA(LPCSTR file_name, DWORD attributes);

DWORD GetLogicalDrives();
UINT GetDriveTypeA(LPCSTR root_path);
}
