// register_mci_drivers: adds the two MCI device types of the driver package to SYSTEM.INI when
// they are missing, and then has the user log off, so that the system loads the new types.
#include "core/CreationSteps.h"

#include "host/kernel32.h"
#include "host/user32.h"
#include "host/user32_dialogs.h"

#include <cstdio>

namespace player {
namespace {

constexpr int mci_value_size = 128;

// True when it wrote `key` because `type` had no driver.
bool add_type(char const* ini, char const* type, char const* key) {
    char value[mci_value_size] = {};
    GetPrivateProfileStringA("mci", type, "", value, sizeof value, ini);
    if (value[0] != '\0')
        return false;
    WritePrivateProfileStringA("mci", key, "CDDRIVER.DRV", ini);
    return true;
}

} // namespace

void register_mci_drivers() {
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    char ini[MAX_PATH];
    if (length == 0 || length >= sizeof windows ||
        std::snprintf(ini, sizeof ini, "%s\\system.ini", windows) >= static_cast<int>(sizeof ini))
        return;
    bool changed = add_type(ini, "VCDVideo", "VCDVideo");
    // Written as "MpegMovie": the same key, since keys are compared without regard to case.
    changed = add_type(ini, "MPEGMovie", "MpegMovie") || changed;
    if (!changed)
        return;
    MessageBoxA(nullptr, "Reelix Need to Restart Windows", "Wraning", MB_ICONQUESTION | MB_OK);
    ExitWindowsEx(EWX_LOGOFF, 0xFFFFFFFF);
}

} // namespace player
