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

// Libraries (a driver's own modules): a DOS path, loaded at once with every symbol resolved.
// NULL with ERROR_MOD_NOT_FOUND for a missing file, ERROR_BAD_EXE_FORMAT for one that cannot be
// loaded.
HMODULE LoadLibraryA(LPCSTR file_name);
BOOL FreeLibrary(HMODULE module);
// NULL with ERROR_PROC_NOT_FOUND when the library exports no such name.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// Only GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS: the module holding the address `name`.
BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module);
// The module's file as a DOS path (NULL: the program's own file). Returns its length; when the
// buffer is too small, the text is cut to size - 1 characters, size is returned and the last
// error is ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size);
}

constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x2;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x4;

// Network connections (mpr): the remote name of a network drive ("X:").
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NOT_CONNECTED = 2250;
extern "C" DWORD WNetGetConnectionA(LPCSTR local_name, LPSTR remote_name, DWORD* length);

// Files by handle: CreateFileA, ReadFile, WriteFile, SetFilePointer, CloseHandle and DeleteFileA,
// for DOS paths of the prefix. Byte for byte, synchronous only (no overlapped I/O). A file that
// may be created or written is never reached through a link as the path's last component: such a
// name counts as taken (CREATE_NEW) or refused (ERROR_ACCESS_DENIED), so a link planted where a
// program writes cannot redirect its output. Folders cannot be opened.
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

// Creation dispositions.
constexpr DWORD CREATE_NEW = 1;        // only a name that is free; else ERROR_FILE_EXISTS
constexpr DWORD CREATE_ALWAYS = 2;     // a new file, or the existing one emptied
constexpr DWORD OPEN_EXISTING = 3;     // only an existing file; else ERROR_FILE_NOT_FOUND
constexpr DWORD OPEN_ALWAYS = 4;       // the existing file, or a new one
constexpr DWORD TRUNCATE_EXISTING = 5; // the existing file emptied (needs GENERIC_WRITE)

// SetFilePointer's move methods.
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED; // overlapped I/O is not offered: the argument must be NULL

extern "C" {
// Opens or creates a file; INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
// (no such folder or drive), ERROR_FILE_EXISTS (CREATE_NEW on a taken name, a link included),
// ERROR_ACCESS_DENIED (a folder, a read-only file opened for writing, a link in the way of a
// write) or ERROR_INVALID_PARAMETER. Sharing, security and flags are accepted and not enforced.
HANDLE CreateFileA(LPCSTR file_name, DWORD desired_access, DWORD share_mode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation_disposition, DWORD flags_and_attributes, HANDLE template_file);
// Reads up to `to_read` bytes at the file pointer; TRUE with fewer (0 at the end) when the file
// ends first.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD to_read, DWORD* read, OVERLAPPED* overlapped);
// Writes at the file pointer; FALSE with ERROR_DISK_FULL or ERROR_WRITE_FAULT when not all was
// written (`written` tells how much was).
BOOL WriteFile(HANDLE file, const void* buffer, DWORD to_write, DWORD* written, OVERLAPPED* overlapped);
// Moves the file pointer (also past the end; reads there give 0 bytes). Without distance_high
// the distance is a signed 32-bit value. Returns the low 32 bits of the new position (the high
// ones in *distance_high), or INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK; with
// distance_high the caller tells a failure from a position by the last error (NO_ERROR).
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distance_high, DWORD move_method);
// Closes a handle of CreateFileA; FALSE with ERROR_INVALID_HANDLE for any other value.
BOOL CloseHandle(HANDLE object);
// Removes a file (a link itself, never what it points to); FALSE with ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND or ERROR_ACCESS_DENIED (a folder, a read-only file).
BOOL DeleteFileA(LPCSTR file_name);

// Milliseconds since the system started, wrapping after 49.7 days.
DWORD GetTickCount();
}
