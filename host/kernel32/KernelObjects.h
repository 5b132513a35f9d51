// The kernel-object handles of this process (mutexes, open files): what CreateMutexA and
// CreateFileA give out and CloseHandle takes back. Handles are numbers looked up in a table, so a
// stale or forged handle is refused. An object stays alive while a call still uses it, even when
// another thread closes its handle meanwhile. Any thread.
#pragma once

#include "host/win_types.h"

#include <memory>
#include <type_traits>
#include <typeinfo>

namespace host::kernel32 {

// What a handle stands for; it lets go of what it holds (a name, a descriptor) as it is destroyed.
struct KernelObject {
    virtual ~KernelObject() = default;
    // Called as its handle is closed: finishes what is still outstanding (an open file's
    // collected writes). 0, or the Windows error CloseHandle reports.
    virtual DWORD close() { return 0; }
};

HANDLE add_kernel_object(std::shared_ptr<KernelObject> object);
// The object of an open handle, or null.
std::shared_ptr<KernelObject> find_kernel_object(HANDLE handle);
// The object of an open handle when it is a T, or null.
template <class T>
std::shared_ptr<T> kernel_object_of(HANDLE handle) {
    std::shared_ptr<KernelObject> object = find_kernel_object(handle);
    // Every kind of object is a final class: comparing the type is enough, and cheaper than a
    // cast that searches the class tree on every ReadFile and WriteFile.
    static_assert(std::is_final_v<T>);
    if (!object || typeid(*object) != typeid(T))
        return nullptr;
    return std::static_pointer_cast<T>(std::move(object));
}
// Takes the handle out of the table and closes its object: ERROR_INVALID_HANDLE for a handle
// that is not open, else what the object's close says.
DWORD close_kernel_object(HANDLE handle);

} // namespace host::kernel32
