// The kernel-object handles of this process (mutexes, open files): what CreateMutexA and
// CreateFileA give out and CloseHandle takes back. Handles are numbers looked up in a table, so a
// stale or forged handle is refused. An object stays alive while a call still uses it, even when
// another thread closes its handle meanwhile. Any thread.
#pragma once

#include "host/win_types.h"

#include <memory>

namespace host::kernel32 {

// What a handle stands for; it lets go of what it holds (a name, a descriptor) as it is destroyed.
struct KernelObject {
    virtual ~KernelObject() = default;
};

HANDLE add_kernel_object(std::shared_ptr<KernelObject> object);
// The object of an open handle, or null.
std::shared_ptr<KernelObject> find_kernel_object(HANDLE handle);
// The object of an open handle when it is a T, or null.
template <class T>
std::shared_ptr<T> kernel_object_of(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(find_kernel_object(handle));
}
// False for a handle that is not open.
bool close_kernel_object(HANDLE handle);

} // namespace host::kernel32
