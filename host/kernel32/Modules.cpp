// Libraries: LoadLibraryA and its companions over the dynamic loader. A module handle is the
// loader's handle; file names are DOS paths of the prefix.
#include "host/kernel32.h"
#include "prefix/Prefix.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::filesystem::path own_program() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

// The host file of a loaded module.
std::filesystem::path module_file(HMODULE module) {
    if (!module)
        return own_program();
    link_map* map = nullptr;
    if (dlinfo(reinterpret_cast<void*>(module), RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name ||
        !*map->l_name)
        return own_program();
    return map->l_name;
}

// A module outside every drive of the prefix (one whose Z: no longer maps the root) is named
// as Wine names such files: "\\?\unix" followed by its Linux path.
std::string dos_module_path(std::filesystem::path const& file) {
    if (std::optional<std::string> dos = host::Prefix::current().to_dos(file))
        return *dos;
    std::string text = "\\\\?\\unix" + file.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

} // namespace

extern "C" {

HMODULE LoadLibraryA(LPCSTR file_name) {
    std::optional<std::filesystem::path> path =
        file_name ? host::Prefix::current().to_host(file_name) : std::nullopt;
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* handle = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        SetLastError(ERROR_BAD_EXE_FORMAT);
    return static_cast<HMODULE>(handle);
}

BOOL FreeLibrary(HMODULE module) {
    return module && dlclose(reinterpret_cast<void*>(module)) == 0;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    void* symbol = module && name ? dlsym(reinterpret_cast<void*>(module), name) : nullptr;
    if (!symbol)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module) {
    if (!module || !(flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = nullptr;
    Dl_info info{};
    if (!dladdr(name, &info) || !info.dli_fname) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    // Already loaded: this only finds its handle (and takes a reference unless told not to).
    void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!handle) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)
        dlclose(handle);
    *module = static_cast<HMODULE>(handle);
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size) {
    std::string text = dos_module_path(module_file(module));
    if (!file_name || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (text.size() >= size) {
        std::memcpy(file_name, text.data(), size - 1);
        file_name[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(file_name, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

} // extern "C"
