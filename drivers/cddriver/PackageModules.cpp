#include "PackageModules.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

namespace cddriver {

namespace {

namespace fs = std::filesystem;

// The folder of this driver file.
std::optional<fs::path> own_folder() {
    Dl_info self{};
    if (!dladdr(reinterpret_cast<void*>(&package_modules), &self) || !self.dli_fname)
        return std::nullopt;
    return fs::path(self.dli_fname).parent_path();
}

bool same_name(std::string a, std::string b) {
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    return lower(std::move(a)) == lower(std::move(b));
}

// A module of the package in the folder, found without regard to case as Windows finds files.
void* load(const fs::path& folder, const std::string& name) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (same_name(entry.path().filename().string(), name) && entry.is_regular_file(error))
            return dlopen(entry.path().c_str(), RTLD_NOW | RTLD_LOCAL);
    return nullptr;
}

template <typename Function> Function function(void* module, const char* name) {
    return module ? reinterpret_cast<Function>(dlsym(module, name)) : nullptr;
}

} // namespace

const PackageModules* package_modules() {
    static std::mutex mutex;
    static std::optional<PackageModules> loaded;
    std::lock_guard lock(mutex);
    if (loaded)
        return &*loaded;
    std::optional<fs::path> folder = own_folder();
    if (!folder)
        return nullptr;
    void* audio = load(*folder, "cdaudio.dll");
    void* video = load(*folder, "cdvideo.dll");
    void* display = load(*folder, "cddisp.dll");
    PackageModules modules;
    modules.audio_plan = function<CdAudioPlanFunction>(audio, CD_AUDIO_PLAN);
    modules.video_plan = function<CdVideoPlanFunction>(video, CD_VIDEO_PLAN);
    modules.display_driver = function<CdVideoNameFunction>(video, CD_VIDEO_DISPLAY_DRIVER);
    modules.display_driver_file = function<CdVideoNameFunction>(video, CD_VIDEO_DISPLAY_DRIVER_FILE);
    modules.display_path = function<CdDisplayPathFunction>(display, CD_DISPLAY_PATH);
    if (!modules.audio_plan || !modules.video_plan || !modules.display_driver ||
        !modules.display_driver_file || !modules.display_path) {
        for (void* module : {audio, video, display})
            if (module)
                dlclose(module);
        return nullptr;
    }
    loaded = modules;
    return &*loaded;
}

} // namespace cddriver
