// The kernel-object handles of this process (mutexes): what CreateMutexA gives out and
// CloseHandle takes back. Handles are numbers looked up in a table, so a stale or forged handle
// is refused. Any thread.
#pragma once

#include "NamedObjects.h"

#include "host/win_types.h"

#include <memory>

namespace host::kernel32 {

struct KernelObject {
    std::unique_ptr<NamedObjectHold> hold; // null for an unnamed object
};

HANDLE add_kernel_object(std::unique_ptr<KernelObject> object);
// False for a handle that is not open.
bool close_kernel_object(HANDLE handle);

} // namespace host::kernel32
