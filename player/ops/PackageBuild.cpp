// build_package: the bare player, started in a folder that holds the five driver files, writes
// its bundle: its own program image, the five files in index order, and the enciphered index.
// The bundle is written beside the program's own file under a temporary name and renamed when
// complete; a missing or unreadable input leaves no bundle at all.
#include "core/CreationSteps.h"
#include "ops/CopyBuffer.h"
#include "ops/DriverSetup.h"

#include "host/kernel32.h"

#include <cstdio>
#include <cstring>

namespace player {
namespace {

// The input of entry `entry`: the running program's own file for the image, the driver files
// by name in the current folder.
bool input_file(int entry, char const* program_path, char (&path)[MAX_PATH]) {
    const int length =
        std::snprintf(path, sizeof path, "%s", entry == 0 ? program_path : package_index.names[entry]);
    return length > 0 && static_cast<std::size_t>(length) < sizeof path;
}

// "<folder of the program>\<name>".
bool beside_program(char const* program_path, char const* name, char (&path)[MAX_PATH]) {
    char const* slash = std::strrchr(program_path, '\\');
    const int folder_length = slash ? static_cast<int>(slash - program_path + 1) : 0;
    const int length = std::snprintf(path, sizeof path, "%.*s%s", folder_length, program_path, name);
    return length > 0 && static_cast<std::size_t>(length) < sizeof path;
}

// Appends the whole input to the bundle in 1024-byte blocks and its tail; false unless exactly
// `size` bytes were copied.
bool append_file(HFILE bundle, char const* path, std::uint32_t size) {
    const HFILE input = _lopen(path, OF_READ);
    if (input == HFILE_ERROR)
        return false;
    std::uint32_t copied = 0;
    bool ok = true;
    for (;;) {
        const UINT got = _lread(input, copy_buffer, copy_block_size);
        if (got == static_cast<UINT>(HFILE_ERROR)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        if (_lwrite(bundle, reinterpret_cast<char const*>(copy_buffer), got) != got) {
            ok = false;
            break;
        }
        copied += got;
        if (copied > size)
            break;
    }
    _lclose(input);
    return ok && copied == size;
}

bool write_bundle(HFILE bundle, char const* program_path) {
    std::uint32_t offset = 0;
    for (int entry = 0; entry < package_entry_count; ++entry) {
        char path[MAX_PATH];
        if (!input_file(entry, program_path, path))
            return false;
        const std::optional<std::uint32_t> size = file_size_of(path);
        if (!size || *size > 0x7FFFFFFFu - offset || !append_file(bundle, path, *size))
            return false;
        package_index.sizes[entry] = *size;
        package_index.offsets[entry] = offset;
        offset += *size;
    }
    PackageIndexBytes bytes = index_bytes(package_index);
    encipher_index(bytes);
    return _lwrite(bundle, reinterpret_cast<char const*>(bytes.data()), package_index_size) ==
           package_index_size;
}

} // namespace

void build_package_from(char const* program_path) {
    for (int entry = 0; entry < package_entry_count; ++entry) {
        char path[MAX_PATH];
        if (!input_file(entry, program_path, path) || !file_exists(path))
            return;
    }
    char target[MAX_PATH];
    char temporary[MAX_PATH];
    if (!beside_program(program_path, bundle_file_name, target) ||
        !beside_program(program_path, "~reelp32.tmp", temporary))
        return;
    DeleteFileA(temporary);
    const HFILE bundle = _lcreat(temporary, 0);
    if (bundle == HFILE_ERROR)
        return;
    const bool written = write_bundle(bundle, program_path);
    const bool closed = _lclose(bundle) == 0;
    if (!written || !closed || !MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING))
        DeleteFileA(temporary);
}

void build_package() {
    char program_path[MAX_PATH];
    if (own_program_file(program_path, sizeof program_path))
        build_package_from(program_path);
}

} // namespace player
