// The table of kernel-object handles, and CloseHandle, which closes any of them.
#include "KernelObjects.h"

#include "host/kernel32.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace host::kernel32 {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::uintptr_t next = 0x1000;
    std::map<std::uintptr_t, std::shared_ptr<KernelObject>> objects;
};

// Never destroyed: handles may still be closed by the destructors of static objects at exit.
HandleTable& table() {
    static auto* handles = new HandleTable;
    return *handles;
}

} // namespace

HANDLE add_kernel_object(std::shared_ptr<KernelObject> object) {
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    handles.next += 4;
    handles.objects.emplace(handles.next, std::move(object));
    return reinterpret_cast<HANDLE>(handles.next);
}

std::shared_ptr<KernelObject> find_kernel_object(HANDLE handle) {
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    auto found = handles.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == handles.objects.end() ? nullptr : found->second;
}

DWORD close_kernel_object(HANDLE handle) {
    std::shared_ptr<KernelObject> object;
    {
        HandleTable& handles = table();
        std::lock_guard lock(handles.mutex);
        auto found = handles.objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == handles.objects.end())
            return ERROR_INVALID_HANDLE;
        object = std::move(found->second);
        handles.objects.erase(found);
    }
    // The object lets go of what it holds as the last user drops it, outside the lock.
    return object->close();
}

} // namespace host::kernel32

extern "C" BOOL CloseHandle(HANDLE handle) {
    if (const DWORD error = host::kernel32::close_kernel_object(handle)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}
