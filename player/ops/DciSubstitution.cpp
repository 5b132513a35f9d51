#include "ops/DciSubstitution.h"

#include <cstring>

namespace player {
namespace {

constexpr char placeholder[] = "tdci9680";
constexpr std::size_t placeholder_length = sizeof placeholder - 1;

// The name the n-th placeholder becomes, or nullptr when it stays.
char const* replacement(DciNames const& names, std::int32_t n) {
    if (n == 0 || n == 2)
        return std::strlen(names.short_name) <= dci_short_slot ? names.short_name : nullptr;
    if (n == 1)
        return std::strlen(names.long_name) <= dci_long_slot ? names.long_name : nullptr;
    return nullptr;
}

} // namespace

DciNames dci_names(char const* value) {
    DciNames names;
    if (!value || !*value)
        return names;
    names.substitute = true;
    std::strncpy(names.long_name, value, dci_value_size - 1);
    std::strncpy(names.short_name, value, dci_value_size - 1);
    if (char* dot = std::strchr(names.short_name, '.'))
        *dot = '\0';
    return names;
}

void substitute_dci(std::span<std::uint8_t> block, DciNames const& names, std::int32_t& found) {
    if (!names.substitute || block.size() < placeholder_length)
        return;
    // Start positions 0 to size - 9: a placeholder ending on the last byte of the block is not
    // looked at (0 to 1015 in a block of 1024).
    for (std::size_t at = 0; at + placeholder_length < block.size(); ++at) {
        if (std::memcmp(block.data() + at, placeholder, placeholder_length) != 0)
            continue;
        char const* name = replacement(names, found++);
        if (!name)
            continue;
        const std::size_t length = std::strlen(name) + 1; // with its zero byte
        if (at + length <= block.size())
            std::memcpy(block.data() + at, name, length);
    }
}

} // namespace player
