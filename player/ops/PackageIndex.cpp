#include "ops/PackageIndex.h"

#include <nettle/des.h>

#include <cstring>
#include <string_view>

namespace player {
namespace {

constexpr char signature_text[] = "REELPACK";
static_assert(sizeof signature_text == 9);
// The fixed key: eight letters (DES ignores the low bit of each byte).
constexpr std::uint8_t cipher_key[DES_KEY_SIZE] = {'T', 'O', 'V', 'I', 'N', 'K', 'E', 'Y'};

constexpr std::size_t names_at = 12;
constexpr std::size_t reserved_at = names_at + package_entry_count * package_name_size; // 108
constexpr std::size_t sizes_at = reserved_at + package_entry_count * 4;                 // 132
constexpr std::size_t offsets_at = sizes_at + package_entry_count * 4;                  // 156
constexpr std::size_t count_at = offsets_at + package_entry_count * 4;                  // 180
static_assert(count_at + 1 == package_index_size);

void put_words(PackageIndexBytes& bytes, std::size_t at, std::uint32_t const (&words)[package_entry_count]) {
    for (int i = 0; i < package_entry_count; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[at + static_cast<std::size_t>(i * 4 + b)] = static_cast<std::uint8_t>(words[i] >> (8 * b));
}

void get_words(PackageIndexBytes const& bytes, std::size_t at, std::uint32_t (&words)[package_entry_count]) {
    for (int i = 0; i < package_entry_count; ++i) {
        words[i] = 0;
        for (int b = 0; b < 4; ++b)
            words[i] |= static_cast<std::uint32_t>(bytes[at + static_cast<std::size_t>(i * 4 + b)])
                        << (8 * b);
    }
}

des_ctx cipher() {
    des_ctx context;
    des_set_key(&context, cipher_key);
    return context;
}

bool is_plain_name(char const (&slot)[package_name_size]) {
    const void* end = std::memchr(slot, '\0', sizeof slot);
    if (!end || slot[0] == '\0')
        return false;
    const std::string_view name(slot);
    if (name.find("..") != std::string_view::npos || name == ".")
        return false;
    for (const char c : name)
        if (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

} // namespace

PackageIndexBytes index_bytes(PackageIndex const& index) {
    PackageIndexBytes bytes{};
    std::memcpy(bytes.data(), index.signature, sizeof index.signature);
    std::memcpy(bytes.data() + names_at, index.names, sizeof index.names);
    put_words(bytes, reserved_at, index.reserved);
    put_words(bytes, sizes_at, index.sizes);
    put_words(bytes, offsets_at, index.offsets);
    bytes[count_at] = index.count;
    return bytes;
}

PackageIndex index_from_bytes(PackageIndexBytes const& bytes) {
    PackageIndex index;
    std::memcpy(index.signature, bytes.data(), sizeof index.signature);
    std::memcpy(index.names, bytes.data() + names_at, sizeof index.names);
    get_words(bytes, reserved_at, index.reserved);
    get_words(bytes, sizes_at, index.sizes);
    get_words(bytes, offsets_at, index.offsets);
    index.count = bytes[count_at];
    return index;
}

void encipher_index(PackageIndexBytes& bytes) {
    const des_ctx context = cipher();
    des_encrypt(&context, package_enciphered_size, bytes.data(), bytes.data());
}

void decipher_index(PackageIndexBytes& bytes) {
    const des_ctx context = cipher();
    des_decrypt(&context, package_enciphered_size, bytes.data(), bytes.data());
}

PackageIndex bare_index() {
    PackageIndex index;
    std::memcpy(index.signature, signature_text, sizeof signature_text);
    for (int i = 0; i < package_entry_count; ++i)
        std::strncpy(index.names[i], package_entry_names[i], package_name_size - 1);
    index.count = package_entry_count;
    return index;
}

bool has_signature(PackageIndex const& index) {
    return std::memcmp(index.signature, signature_text, sizeof signature_text) == 0;
}

bool index_is_sound(PackageIndex const& index, std::uint64_t file_size) {
    if (index.count != package_entry_count || file_size < package_index_size)
        return false;
    std::uint64_t next = 0;
    for (int i = 0; i < package_entry_count; ++i) {
        if (!is_plain_name(index.names[i]) || index.offsets[i] != next)
            return false;
        next += index.sizes[i];
    }
    return next == file_size - package_index_size;
}

} // namespace player
