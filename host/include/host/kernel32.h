// Kernel services the programs call: last error, the Windows directory, private-profile files,
// file attributes, drives and program launch. Paths are DOS paths resolved in the prefix (see prefix.h).
// All functions are for the GUI thread of the calling program; the last error is per thread.
#pragma once

#include "host/win_types.h"

// GetVersionExA.
constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};

extern "C" {

DWORD GetLastError();
void SetLastError(DWORD code);

// The system the programs were made for: Windows 95 (4.0, build 950, VER_PLATFORM_WIN32_WINDOWS).
// FALSE with ERROR_INVALID_PARAMETER when dwOSVersionInfoSize is not the structure's size.
BOOL GetVersionExA(OSVERSIONINFOA* info);

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

// Files by handle, the 16-bit compatible family: DOS paths of the prefix, binary, unbuffered.
// A handle is valid only for the process that opened it; a forged or closed one is refused with
// ERROR_INVALID_HANDLE. Any thread.
using HFILE = int;
constexpr HFILE HFILE_ERROR = -1;
constexpr int OF_READ = 0x0000;
constexpr int OF_WRITE = 0x0001;
constexpr int OF_READWRITE = 0x0002;
constexpr int FILE_BEGIN = 0;
constexpr int FILE_CURRENT = 1;
constexpr int FILE_END = 2;


constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;

extern "C" {

// Opens an existing file for reading, writing or both (OF_READ, OF_WRITE, OF_READWRITE; sharing
// flags are accepted and ignored).
HFILE _lopen(LPCSTR path, int mode);
// Creates a file, or empties an existing one, and opens it for reading and writing; `attribute`
// 0 is a normal file, otherwise FILE_ATTRIBUTE_READONLY, _HIDDEN and _SYSTEM bits.
HFILE _lcreat(LPCSTR path, int attribute);
// Moves the file position from FILE_BEGIN, FILE_CURRENT or FILE_END; the new position, or
// HFILE_ERROR.
LONG _llseek(HFILE file, LONG offset, int origin);
// Reads up to `count` bytes; the number read (fewer only at the end of the file), or
// (UINT)HFILE_ERROR.
UINT _lread(HFILE file, LPVOID buffer, UINT count);
// Writes `count` bytes; the number written, or (UINT)HFILE_ERROR. A count of 0 cuts the file at
// the current position, as on Windows.
UINT _lwrite(HFILE file, LPCSTR buffer, UINT count);
// 0, or HFILE_ERROR for an invalid handle.
HFILE _lclose(HFILE file);


// Renames a file or folder, also into another folder of the same drive. Fails with
// ERROR_ALREADY_EXISTS when the new name exists, unless MOVEFILE_REPLACE_EXISTING replaces a file
// of that name (in one step: a reader sees the old file or the new one).
BOOL MoveFileA(LPCSTR existing_name, LPCSTR new_name);
BOOL MoveFileExA(LPCSTR existing_name, LPCSTR new_name, DWORD flags);
// Removes a file (a symbolic link itself, not what it names).
BOOL DeleteFileA(LPCSTR file_name);
}

constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x2;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x4;

// Network connections (mpr): the remote name of a network drive ("X:").
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NOT_CONNECTED = 2250;
extern "C" DWORD WNetGetConnectionA(LPCSTR local_name, LPSTR remote_name, DWORD* length);

// Files and folders: the current directory, full and short path names, and folder searches.
// The process has one DOS current directory, where relative DOS paths start; it starts as the
// Linux working directory's DOS path ("C:\" when no drive holds that folder). Per-drive current
// directories are not kept: "D:X" starts at D's root unless the current directory is on D.
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
constexpr DWORD ERROR_DIRECTORY = 267;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14]; // the 8.3 name; empty when the name itself is one
};
using PWIN32_FIND_DATAA = WIN32_FIND_DATAA*;
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

extern "C" {
// Copies the current directory and returns its length; when the buffer is too small (or NULL),
// returns the size needed including the terminating NUL and copies nothing.
DWORD GetCurrentDirectoryA(DWORD buffer_length, LPSTR buffer);
// Makes an existing folder the current directory and the Linux working directory the folder it
// maps to. FALSE with ERROR_FILE_NOT_FOUND (no such folder), ERROR_PATH_NOT_FOUND (no such
// folder on the way, or no such drive), ERROR_DIRECTORY (a file), ERROR_ACCESS_DENIED or
// ERROR_FILENAME_EXCED_RANGE (longer than MAX_PATH - 2).
BOOL SetCurrentDirectoryA(LPCSTR path_name);
// The full path of a path by Windows' rules, without looking at the files; buffer rules as
// GetCurrentDirectoryA. file_part, when given, points at the last component in the buffer (NULL
// when the path ends in a backslash).
DWORD GetFullPathNameA(LPCSTR file_name, DWORD buffer_length, LPSTR buffer, LPSTR* file_part);
// The path with every component given as its 8.3 short name; the file must exist. Buffer rules
// as GetCurrentDirectoryA.
DWORD GetShortPathNameA(LPCSTR long_path, LPSTR short_path, DWORD buffer_length);

// Searches a folder for the names matching the last component of file_name ("C:\WINDOWS\*.INI"),
// without regard to case, against the long and the 8.3 name, with Windows' wildcard rules ("*.*"
// matches every name, "*." the names without an extension, "?" also no character at the end of
// the name or before a dot). A folder other than a drive's root also yields "." and "..", first.
// The names are taken when the search starts, then sorted without regard to case.
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches (also for a path ending in
// a backslash), ERROR_PATH_NOT_FOUND when the folder does not exist.
HANDLE FindFirstFileA(LPCSTR file_name, LPWIN32_FIND_DATAA find_data);
// FALSE with ERROR_NO_MORE_FILES after the last name.
BOOL FindNextFileA(HANDLE find_file, LPWIN32_FIND_DATAA find_data);
// FALSE with ERROR_INVALID_HANDLE for a handle that is not an open search.
BOOL FindClose(HANDLE find_file);
}

// Kernel objects: named mutexes, seen by every process on the same prefix (as Wine keeps one
// object namespace per prefix). A name exists while any process has a handle to it open; a
// process that ends, however it ends, lets go of its handles. "Local\" names the same object as
// the bare name, "Global\" a namespace of its own. Any thread.
struct SECURITY_ATTRIBUTES;
extern "C" {
// Creates the mutex, or opens it when the name exists (the last error is then
// ERROR_ALREADY_EXISTS, otherwise ERROR_SUCCESS); NULL with the last error set on failure. An
// empty or null name makes a mutex of this process alone. Ownership is not tracked: there are
// no wait functions, so the mutex serves to tell whether a name is taken.
HANDLE CreateMutexA(SECURITY_ATTRIBUTES* security, BOOL initial_owner, LPCSTR name);
// Closes a mutex or a file; FALSE with ERROR_INVALID_HANDLE for a handle that is not open, and
// FALSE with ERROR_DISK_FULL or ERROR_WRITE_FAULT when a file's last writes could not be written
// (the handle is closed all the same).
BOOL CloseHandle(HANDLE handle);
}

// Files by handle: CreateFileA, ReadFile, WriteFile and SetFilePointer for DOS paths of the
// prefix; CloseHandle closes them as it closes every kernel object. Byte for byte, synchronous
// only (no overlapped I/O). A file that may be created or written is never reached through a link
// as the path's last component: such a name counts as taken (CREATE_NEW) or refused
// (ERROR_ACCESS_DENIED), so a link planted where a program writes cannot redirect its output.
// Folders cannot be opened. Any thread.
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

// SetFilePointer moves from FILE_BEGIN, FILE_CURRENT or FILE_END (above).
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

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
// written (`written` tells how much was). A handle opened only for writing collects small writes
// and writes them out together: a failure of those is reported by a later WriteFile,
// SetFilePointer or CloseHandle of the handle, and every write after it fails too.
BOOL WriteFile(HANDLE file, const void* buffer, DWORD to_write, DWORD* written, OVERLAPPED* overlapped);
// Moves the file pointer (also past the end; reads there give 0 bytes). Without distance_high
// the distance is a signed 32-bit value. Returns the low 32 bits of the new position (the high
// ones in *distance_high), or INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK; with
// distance_high the caller tells a failure from a position by the last error (NO_ERROR).
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distance_high, DWORD move_method);

// Milliseconds since the system started, wrapping after 49.7 days.
DWORD GetTickCount();
}

namespace host {
// The process id of the process that created the named mutex, while it still has it open; 0
// when no process has it open or its creator has closed it. Windows does not tell who holds a
// mutex; a program that needs the running copy of itself asks this.
DWORD mutex_maker_process(LPCSTR name);
} // namespace host
