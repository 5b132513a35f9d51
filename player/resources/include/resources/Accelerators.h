// The player's key bindings: the accelerator table kept as a text file, one binding a line
// ("key modifiers command"), read into entries shaped like the Windows ACCEL record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace player {

// Flag bits of an entry, with the values Windows gives them.
constexpr std::uint8_t accel_virtkey = 0x01; // `key` is a virtual-key code, not a character
constexpr std::uint8_t accel_shift = 0x04;
constexpr std::uint8_t accel_control = 0x08;
constexpr std::uint8_t accel_alt = 0x10;

struct AcceleratorEntry {
    std::uint8_t flags;
    std::uint16_t key;     // virtual-key code, or the character code of a character entry
    std::uint16_t command; // the WM_COMMAND id the binding sends

    bool operator==(const AcceleratorEntry&) const = default;
};

struct AcceleratorTable {
    std::vector<AcceleratorEntry> entries;
    std::string error; // empty when the whole text was read; otherwise says which line failed

    bool ok() const { return error.empty(); }
};

// Reads a table text. Keys are virtual-key names (VK_F1, VK_PRIOR, ...), single digits or
// capital letters for their keys, or ^X for the control character Ctrl+X produces (a character
// entry). Modifiers are "-" or ALT, CONTROL and SHIFT joined by '+'; character entries take none.
// Commands are decimal 1..65535. '#' starts a comment. Any fault rejects the whole table.
AcceleratorTable parse_accelerators(std::string_view text);

} // namespace player
