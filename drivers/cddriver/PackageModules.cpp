#include "PackageModules.h"

#include "host/kernel32.h"
#include "host/winmm.h"

#include <mutex>
#include <optional>
#include <string>

namespace cddriver {

namespace {

// The folder of this driver file, as a DOS path ending in a backslash.
std::optional<std::string> own_folder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&package_modules), &self))
        return std::nullopt;
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(self, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::nullopt;
    std::string file(path, length);
    std::size_t slash = file.find_last_of('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    return file.substr(0, slash + 1);
}

template <typename Function> Function function(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(GetProcAddress(module, name)) : nullptr;
}

} // namespace

const PackageModules* package_modules(std::uint32_t& error) {
    static std::mutex mutex;
    static std::optional<PackageModules> loaded;
    std::lock_guard lock(mutex);
    error = 0;
    if (loaded)
        return &*loaded;
    std::optional<std::string> folder = own_folder();
    if (!folder) {
        error = MCIERR_CANNOT_LOAD_DRIVER;
        return nullptr;
    }
    HMODULE modules[3] = {};
    const char* names[3] = {"cdaudio.dll", "cdvideo.dll", "cddisp.dll"};
    for (int i = 0; i < 3; ++i) {
        modules[i] = LoadLibraryA((*folder + names[i]).c_str());
        if (!modules[i] && !error)
            error = GetLastError() == ERROR_MOD_NOT_FOUND ? MCIERR_DEVICE_NOT_INSTALLED
                                                          : MCIERR_CANNOT_LOAD_DRIVER;
    }
    PackageModules found;
    found.audio_plan = function<CdAudioPlanFunction>(modules[0], CD_AUDIO_PLAN);
    found.video_plan = function<CdVideoPlanFunction>(modules[1], CD_VIDEO_PLAN);
    found.display_driver_file = function<CdVideoNameFunction>(modules[1], CD_VIDEO_DISPLAY_DRIVER_FILE);
    found.display_path = function<CdDisplayPathFunction>(modules[2], CD_DISPLAY_PATH);
    bool complete = found.audio_plan && found.video_plan && found.display_driver_file && found.display_path;
    if (!complete) {
        for (HMODULE module : modules)
            if (module)
                FreeLibrary(module);
        if (!error)
            error = MCIERR_CANNOT_LOAD_DRIVER;
        return nullptr;
    }
    loaded = found;
    return &*loaded;
}

} // namespace cddriver
