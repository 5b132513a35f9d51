// PackageIndex: the 181-byte index at the end of the player's bundle file, which says where the
// program image and the five driver files lie in it. Integers are 32-bit little-endian; offsets
// count from the start of the bundle. In the file the first 176 bytes are enciphered with DES
// (ECB, a fixed key); in memory the index is always plain.
#pragma once

#include <array>
#include <cstdint>

namespace player {

constexpr int package_entry_count = 6;
constexpr int package_name_size = 16; // one zero-terminated name
constexpr int package_index_size = 181;
constexpr int package_enciphered_size = 176; // 22 blocks of 8 bytes; the rest is stored plain

// The entries in bundle order: the program image, then the five files installed into the
// Windows system folder.
inline constexpr char const* package_entry_names[package_entry_count] = {
    "reel32.exe", "cddriver.drv", "cdaudio.dll", "cdvideo.dll", "cdvideo.ini", "cddisp.dll"};

struct PackageIndex {
    char signature[12] = {}; // the fixed 8-character text and a zero byte
    char names[package_entry_count][package_name_size] = {};
    std::uint32_t reserved[package_entry_count] = {}; // not interpreted
    std::uint32_t sizes[package_entry_count] = {};
    std::uint32_t offsets[package_entry_count] = {};
    std::uint8_t count = 0;
};

using PackageIndexBytes = std::array<std::uint8_t, package_index_size>;

// The index as stored, and back; the cipher is applied separately.
PackageIndexBytes index_bytes(PackageIndex const& index);
PackageIndex index_from_bytes(PackageIndexBytes const& bytes);

// DES in ECB mode over the first 176 bytes, with the fixed key.
void encipher_index(PackageIndexBytes& bytes);
void decipher_index(PackageIndexBytes& bytes);

// The index of a program that carries no bundle: the signature, the six names and the count, no
// sizes or offsets yet.
PackageIndex bare_index();

bool has_signature(PackageIndex const& index);

// True when the index can be trusted with a bundle file of `file_size` bytes: six entries, each
// name a plain file name (zero-terminated, no path separator, drive colon, wildcard or ".."),
// entry 0 at offset 0, every next entry right after the one before, and the last one ending
// where the index begins.
bool index_is_sound(PackageIndex const& index, std::uint64_t file_size);

} // namespace player
