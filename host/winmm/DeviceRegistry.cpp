#include "DeviceRegistry.h"

#include "DriverModule.h"
#include "Tokenizer.h"

#include "host/kernel32.h"
#include "prefix/Prefix.h"

#include <dlfcn.h>

#include <atomic>
#include <map>
#include <mutex>

namespace host::mci {

namespace {

// Driver files of the MCI drivers a Windows 95 machine (with ActiveMovie, QuickTime for Windows
// and the Autodesk animation driver) lists in SYSTEM.INI. Their device types are served by the
// host itself, never by a module of that name.
constexpr std::string_view system_drivers[] = {
    "mcicda.drv",   "mciseq.drv",   "mciwave.drv",  "mciavi.drv",   "mcipionr.drv",
    "mcivisca.drv", "mciqtz.drv",   "mciqtz32.dll", "mciaap.drv",   "mcianim.drv",
    "mciqtw.drv",   "mciavi32.dll", "mcicda32.dll", "mciseq32.dll", "mciwave32.dll",
};

std::mutex factories_mutex;
std::map<std::string, DeviceFactory>& factories() {
    static std::map<std::string, DeviceFactory> registered;
    return registered;
}

std::atomic<bool> library_loading{true};

// The host's video devices live in a library of their own, which links the playback engine (the
// host cannot: the engine links the host). It is loaded from the folder of the host library the
// first time a system driver has no device, and registers its devices through its C entry.
// Tried once per process; a missing library leaves those drivers without devices.
void load_builtin_library() {
    static std::mutex mutex;
    static bool tried = false;
    std::lock_guard lock(mutex);
    if (tried)
        return;
    tried = true;
    Dl_info self{};
    if (!dladdr(reinterpret_cast<void*>(&register_builtin_device), &self) || !self.dli_fname)
        return;
    std::filesystem::path library = std::filesystem::path(self.dli_fname).parent_path() / "libmcivideo.so";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle)
        return;
    auto register_devices = reinterpret_cast<void (*)()>(dlsym(handle, "mcivideo_register_devices"));
    if (register_devices)
        register_devices();
}

std::optional<DeviceFactory> registered_factory(const std::string& driver) {
    std::lock_guard lock(factories_mutex);
    if (auto found = factories().find(driver); found != factories().end())
        return found->second;
    return std::nullopt;
}

std::string windows_file(std::string_view name) {
    char directory[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    std::string path = length > 0 && length < sizeof directory ? directory : "C:\\WINDOWS";
    return path + "\\" + std::string(name);
}

std::string read_profile(const char* section, const char* key, const std::string& file) {
    std::vector<char> buffer(32768);
    DWORD length = GetPrivateProfileStringA(section, key, "", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), length);
}

// Keys of a section, as GetPrivateProfileStringA lists them with a null key.
std::vector<std::string> profile_keys(const char* section, const std::string& file) {
    std::string list = read_profile(section, nullptr, file);
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\0', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            keys.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

MciEntry entry_of(std::string key, std::string_view value) {
    std::size_t begin = value.find_first_not_of(" \t");
    value = begin == std::string_view::npos ? std::string_view() : value.substr(begin);
    std::size_t end = value.find_first_of(" \t");
    MciEntry entry{std::move(key), std::string(value.substr(0, end)), {}};
    if (end != std::string_view::npos) {
        std::size_t rest = value.find_first_not_of(" \t", end);
        if (rest != std::string_view::npos)
            entry.parameters = std::string(value.substr(rest));
    }
    return entry;
}

// The host path of a module named by an [mci] value: a bare file name lives in the Windows
// system folder; a value with a drive or a backslash is a DOS path of its own.
std::optional<std::filesystem::path> module_path(std::string_view driver_file) {
    std::string dos = driver_file.find_first_of(":\\") == std::string_view::npos
                          ? windows_file("SYSTEM\\" + std::string(driver_file))
                          : std::string(driver_file);
    return Prefix::current().to_host(dos);
}

} // namespace

void register_builtin_device(std::string_view driver_file_name, DeviceFactory factory) {
    std::lock_guard lock(factories_mutex);
    factories()[to_lower(driver_file_name)] = std::move(factory);
}

void unregister_builtin_device(std::string_view driver_file_name) {
    std::lock_guard lock(factories_mutex);
    factories().erase(to_lower(driver_file_name));
}

void set_builtin_library_loading(bool enabled) {
    library_loading = enabled;
}

bool is_system_driver(std::string_view driver_file) {
    std::string lower = to_lower(driver_file);
    for (std::string_view name : system_drivers)
        if (name == lower)
            return true;
    std::lock_guard lock(factories_mutex);
    return factories().count(lower) != 0;
}

std::vector<MciEntry> mci_entries() {
    std::string system_ini = windows_file("SYSTEM.INI");
    std::vector<MciEntry> entries;
    for (std::string& key : profile_keys("mci", system_ini)) {
        std::string value = read_profile("mci", key.c_str(), system_ini);
        entries.push_back(entry_of(std::move(key), value));
    }
    return entries;
}

std::optional<MciEntry> find_mci_entry(std::string_view type_name) {
    std::string wanted = to_lower(type_name);
    for (MciEntry& entry : mci_entries())
        if (to_lower(entry.name) == wanted)
            return std::move(entry);
    return std::nullopt;
}

std::optional<std::string> type_for_extension(std::string_view extension) {
    if (extension.empty())
        return std::nullopt;
    std::string type =
        read_profile("mci extensions", std::string(extension).c_str(), windows_file("WIN.INI"));
    if (type.empty())
        return std::nullopt;
    return type;
}

MadeDevice make_system_device(std::string_view driver_file) {
    std::string driver = to_lower(driver_file);
    std::optional<DeviceFactory> factory = registered_factory(driver);
    if (!factory && library_loading && is_system_driver(driver)) {
        load_builtin_library();
        factory = registered_factory(driver);
    }
    // Called outside the lock: a factory may take its time or register devices itself.
    std::unique_ptr<Device> device = factory && *factory ? (*factory)() : nullptr;
    return {device ? 0 : MCIERR_CANNOT_LOAD_DRIVER, std::move(device)};
}

MadeDevice make_device(const MciEntry& entry) {
    std::string driver = to_lower(entry.driver_file);
    if (driver.empty())
        return {MCIERR_CANNOT_LOAD_DRIVER, nullptr};
    if (is_system_driver(driver))
        return make_system_device(driver);
    std::optional<std::filesystem::path> path = module_path(entry.driver_file);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error))
        return {MCIERR_DEVICE_NOT_INSTALLED, nullptr};
    std::shared_ptr<DriverModule> module = DriverModule::load(*path);
    if (!module)
        return {MCIERR_CANNOT_LOAD_DRIVER, nullptr};
    return {0, make_module_device(module)};
}

std::optional<UINT> device_type_of(const MciEntry& entry) {
    MadeDevice made = make_device(entry);
    if (!made.device)
        return std::nullopt;
    return made.device->device_type();
}

} // namespace host::mci
