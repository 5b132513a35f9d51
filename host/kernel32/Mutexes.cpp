// Mutexes: CreateMutexA over the prefix's named objects.
#include "KernelObjects.h"
#include "NamedObjects.h"

#include "host/kernel32.h"

using namespace host::kernel32;

namespace {

// A mutex holds its name, if it has one, while its handle is open.
struct Mutex final : KernelObject {
    std::unique_ptr<NamedObjectHold> hold; // null for an unnamed mutex
};

} // namespace

extern "C" {

HANDLE CreateMutexA(SECURITY_ATTRIBUTES* /*security*/, BOOL /*initial_owner*/, LPCSTR name) {
    auto object = std::make_shared<Mutex>();
    bool existed = false;
    if (name && *name) {
        NamedObjectOpening opening = open_named_object(name);
        if (!opening.hold) {
            SetLastError(opening.error);
            return nullptr;
        }
        existed = !opening.hold->created();
        object->hold = std::move(opening.hold);
    }
    const HANDLE handle = add_kernel_object(std::move(object));
    // As Windows does: the last error tells whether the name existed, also on success.
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

} // extern "C"

namespace host {

DWORD mutex_maker_process(LPCSTR name) {
    return name && *name ? named_object_maker(name) : 0;
}

} // namespace host
