// File attributes, the Windows directory and drives, for DOS paths of the prefix.
#include "host/kernel32.h"
#include "prefix/DosAttributes.h"
#include "prefix/Prefix.h"
#include "PathBuffer.h"

#include <cctype>

using namespace host;

extern "C" UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return copy_path_out(Prefix::current().windows_directory(), buffer, size);
}

extern "C" DWORD GetFileAttributesA(LPCSTR file_name) {
    if (!file_name || !*file_name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    auto path = Prefix::current().to_host(file_name);
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    return get_dos_attributes(*path);
}

extern "C" BOOL SetFileAttributesA(LPCSTR file_name, DWORD attributes) {
    if (!file_name || !*file_name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    auto path = Prefix::current().to_host(file_name);
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    return set_dos_attributes(*path, attributes) ? TRUE : FALSE;
}

extern "C" DWORD GetLogicalDrives() {
    DWORD mask = 0;
    for (const auto& drive : Prefix::current().drives())
        mask |= 1u << (drive.letter - 'a');
    return mask;
}

extern "C" UINT GetDriveTypeA(LPCSTR root_path) {
    if (!root_path || !std::isalpha(static_cast<unsigned char>(root_path[0])) || root_path[1] != ':')
        return DRIVE_NO_ROOT_DIR;
    auto drive = Prefix::current().drive(root_path[0]);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}
