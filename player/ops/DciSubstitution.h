// The name of the machine's DCI display driver, written into the video module while it is
// installed: the module carries the placeholder "tdci9680" three times in one 1024-byte block (a
// bare name, a file name after a backslash, a bare name), which become the short name, the long
// name and the short name, each followed by a zero byte.
#pragma once

#include <cstdint>
#include <span>

namespace player {

constexpr int dci_value_size = 64;
constexpr int dci_short_slot = 8; // characters the bare-name slots hold
constexpr int dci_long_slot = 12; // characters the file-name slot holds ("tdci9680.drv")

struct DciNames {
    bool substitute = false;              // a DCI driver is named
    char long_name[dci_value_size] = {};  // the whole value ("vgadci.drv")
    char short_name[dci_value_size] = {}; // up to its first dot ("vgadci")
};

// From the DCI value of SYSTEM.INI; substitution is off for an empty value.
DciNames dci_names(char const* value);

// Overwrites the placeholders of one full block, testing every start position 0 to size - 9.
// `found` counts placeholders over all the files of one installation: the first and third get
// the short name, the second the long name, later ones stay. A name longer than its slot, or one
// whose replacement would run past the block, is not written; the placeholder stays and counts.
void substitute_dci(std::span<std::uint8_t> block, DciNames const& names, std::int32_t& found);

} // namespace player
