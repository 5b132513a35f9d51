// install_driver_package: writes every driver file the Windows system folder lacks from the
// bundle behind the program image, patching the DCI driver's name into the video module.
//
// A driver file is written under a temporary name and renamed when complete, so a start that is
// cut short never leaves a truncated driver under its real name. Nothing is written unless the
// index is sound (PackageIndex.h): a damaged or forged index cannot name a file outside the
// system folder or make the copy read past the entries.
#include "core/CreationSteps.h"
#include "ops/CopyBuffer.h"
#include "ops/DciSubstitution.h"
#include "ops/DriverSetup.h"

#include "host/kernel32.h"

#include <cstdio>

namespace player {
namespace {

constexpr int system_path_size = 64;
constexpr char temporary_name[] = "~reelpk.tmp";

// The Windows folder, and "<windows>\system\<name>" in a 64-character buffer; false when it
// does not fit.
bool system_file(char (&path)[system_path_size], char const* windows, char const* name) {
    const int length = std::snprintf(path, sizeof path, "%s\\system\\%s", windows, name);
    return length > 0 && length < system_path_size;
}

DciNames read_dci_names(char const* windows) {
    char ini[system_path_size];
    char value[dci_value_size] = {};
    const int length = std::snprintf(ini, sizeof ini, "%s\\system.ini", windows);
    if (length > 0 && length < system_path_size)
        GetPrivateProfileStringA("drivers", "DCI", "", value, sizeof value, ini);
    return dci_names(value);
}

bool read_exactly(HFILE file, std::uint8_t* buffer, UINT count) {
    return _lread(file, buffer, count) == count;
}

bool write_exactly(HFILE file, std::uint8_t const* buffer, UINT count) {
    return _lwrite(file, reinterpret_cast<char const*>(buffer), count) == count;
}

// Copies one entry of the bundle into `target`: full blocks searched for the DCI placeholder,
// the tail as it is. False when reading or writing failed.
bool copy_entry(HFILE program, int entry, HFILE target, DciNames const& names, std::int32_t& found) {
    const std::uint32_t size = package_index.sizes[entry];
    if (_llseek(program, static_cast<LONG>(package_index.offsets[entry]), FILE_BEGIN) == HFILE_ERROR)
        return false;
    for (std::uint32_t block = 0; block < size / copy_block_size; ++block) {
        if (!read_exactly(program, copy_buffer, copy_block_size))
            return false;
        substitute_dci(copy_buffer, names, found);
        if (!write_exactly(target, copy_buffer, copy_block_size))
            return false;
    }
    const UINT tail = size % copy_block_size;
    return read_exactly(program, copy_buffer, tail) && write_exactly(target, copy_buffer, tail);
}

enum class Installed { written, skipped, failed };

// Writes entry `entry` under its name in the system folder unless a file of that name exists.
Installed install_entry(HFILE program, int entry, char const* windows, DciNames const& names,
                        std::int32_t& found) {
    char target[system_path_size];
    char temporary[system_path_size];
    if (!system_file(target, windows, package_index.names[entry]) ||
        !system_file(temporary, windows, temporary_name))
        return Installed::failed;
    if (file_exists(target))
        return Installed::skipped; // present: left as it is, whatever its size or version
    // A leftover of an interrupted start (or anything else of that name) goes first, so the
    // create below cannot write through a link.
    DeleteFileA(temporary);
    const HFILE file = _lcreat(temporary, 0);
    if (file == HFILE_ERROR)
        return Installed::failed;
    const bool copied = copy_entry(program, entry, file, names, found);
    const bool closed = _lclose(file) == 0;
    if (!copied || !closed) {
        DeleteFileA(temporary);
        return Installed::failed;
    }
    // The real name appears only now, complete; if a file took that name meanwhile, it stays.
    if (!MoveFileA(temporary, target)) {
        DeleteFileA(temporary);
        return Installed::skipped;
    }
    return Installed::written;
}

// Reads and deciphers the index at the end of the open program file of `size` bytes.
bool read_index(HFILE program, std::uint32_t size) {
    PackageIndexBytes bytes{};
    if (size < package_index_size ||
        _llseek(program, static_cast<LONG>(size - package_index_size), FILE_BEGIN) == HFILE_ERROR ||
        !read_exactly(program, bytes.data(), package_index_size))
        return false;
    decipher_index(bytes);
    package_index = index_from_bytes(bytes);
    return true;
}

} // namespace

void install_package_from(char const* program_path) {
    const std::optional<std::uint32_t> size = file_size_of(program_path);
    if (!size || *size > 0x7FFFFFFF)
        return;
    const HFILE program = _lopen(program_path, OF_READ);
    if (program == HFILE_ERROR)
        return;
    if (!read_index(program, *size)) {
        _lclose(program);
        return;
    }
    if (!has_signature(package_index)) {
        // No bundle behind this image: the bare player, which builds one.
        package_index = bare_index();
        _lclose(program);
        build_mode = true;
        return;
    }
    char windows[system_path_size];
    const UINT windows_length = GetWindowsDirectoryA(windows, sizeof windows);
    if (!index_is_sound(package_index, *size) || windows_length == 0 || windows_length >= sizeof windows) {
        _lclose(program);
        return;
    }
    const DciNames names = read_dci_names(windows);
    std::int32_t found = 0;
    for (int entry = 1; entry < package_entry_count; ++entry)
        if (install_entry(program, entry, windows, names, found) == Installed::failed)
            break;
    _lclose(program);
}

void install_driver_package() {
    char program_path[MAX_PATH];
    if (own_program_file(program_path, sizeof program_path))
        install_package_from(program_path);
}

bool carries_package_index() {
    return !build_mode;
}

} // namespace player
