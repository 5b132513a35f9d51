// cdvideo.dll: the name of the machine's DCI display driver, written into this module's file by
// the package's installer. The three slots lie in one 64-byte aligned record, so that they always
// share one 1024-byte block of the file, where the installer looks for them: the placeholder as a
// bare name, inside a file name after a backslash and followed by ".drv", and as a bare name
// again. The installer overwrites the first and third with the short name and the second with the
// file name, each followed by a zero byte.
//
// The slots are read through volatile accesses, so that the compiler reads the bytes of the file
// as installed rather than the placeholder it was built with. The placeholder must not appear
// anywhere else in the package (the installer counts every occurrence), so the code compares
// with a rotated copy of it.
#include "drivers/cdmodules.h"

#include <cstddef>

namespace {

struct alignas(64) DciSlots {
    char bare[16];
    char file[32];
    char bare_again[16];
};
static_assert(sizeof(DciSlots) == 64);

// Each character of the placeholder moved 13 places along the alphabet (digits stay).
constexpr char rotated_placeholder[] = "gqpv9680";

char rotate(char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<char>('a' + (c - 'a' + 13) % 26);
    return c;
}

// Copies a zero-terminated slot out of the image; "" when it still holds the placeholder.
const char* slot_text(const volatile char* slot, std::size_t size, char* copy) {
    std::size_t length = 0;
    while (length + 1 < size && slot[length] != '\0') {
        copy[length] = slot[length];
        ++length;
    }
    copy[length] = '\0';
    static const volatile char* const key = rotated_placeholder;
    bool placeholder = length >= 8;
    for (std::size_t i = 0; placeholder && i < 8; ++i)
        placeholder = copy[i] == rotate(key[i]);
    if (placeholder)
        copy[0] = '\0';
    return copy;
}

} // namespace

extern "C" {

// The slots as shipped. Exported, so that the linker keeps them as they are.
CD_EXPORT const volatile DciSlots cd_display_driver_slots = {"tdci9680", "\\SYSTEM\\tdci9680.drv",
                                                             "tdci9680"};

CD_EXPORT const char* CdVideoDisplayDriverFile() {
    static char name[sizeof cd_display_driver_slots.file];
    const volatile char* file = cd_display_driver_slots.file;
    std::size_t start = 0;
    for (std::size_t i = 0; i < sizeof name && file[i] != '\0'; ++i)
        if (file[i] == '\\')
            start = i + 1;
    return slot_text(file + start, sizeof name - start, name);
}

} // extern "C"
