#include "KernelObjects.h"

#include <map>
#include <mutex>

namespace host::kernel32 {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::uintptr_t next = 0x1000;
    std::map<std::uintptr_t, std::unique_ptr<KernelObject>> objects;
};

// Never destroyed: handles may still be closed by the destructors of static objects at exit.
HandleTable& table() {
    static auto* handles = new HandleTable;
    return *handles;
}

} // namespace

HANDLE add_kernel_object(std::unique_ptr<KernelObject> object) {
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    handles.next += 4;
    handles.objects.emplace(handles.next, std::move(object));
    return reinterpret_cast<HANDLE>(handles.next);
}

bool close_kernel_object(HANDLE handle) {
    std::unique_ptr<KernelObject> object;
    {
        HandleTable& handles = table();
        std::lock_guard lock(handles.mutex);
        auto found = handles.objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == handles.objects.end())
            return false;
        object = std::move(found->second);
        handles.objects.erase(found);
    }
    return true; // the object lets go of its name as it goes
}

} // namespace host::kernel32
