// GetVersionExA: the programs run as on Windows 95.
#include "host/kernel32.h"

#include <cstring>

extern "C" BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->dwMajorVersion = 4;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 950;
    info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return TRUE;
}
