// Kernel services the programs call: last error, the Windows directory, private-profile files,
// file attributes, drives and program launch. Paths are DOS paths resolved in the prefix (see prefix.h).
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
BOOL GetVolumeInformationA(LPCSTR root_path, LPSTR volume_name, DWORD volume_name_size, DWORD* serial_number,
                           DWORD* max_component_length, DWORD* file_system_flags, LPSTR file_system_name,
                           DWORD file_system_name_size);

// Starts a program from a Windows command line; above 31 when it was started.
UINT WinExec(LPCSTR command_line, UINT show);
}

// Network connections (mpr): the remote name of a network drive ("X:").
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NOT_CONNECTED = 2250;
extern "C" DWORD WNetGetConnectionA(LPCSTR local_name, LPSTR remote_name, DWORD* length);
