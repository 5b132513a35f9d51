// The 1024-byte block buffer that file copies go through (installing and building the driver
// package), and the block size of every copy, cuts included. GUI thread only, one copy at a time.
#pragma once

#include <cstdint>

namespace player {

constexpr int copy_block_size = 1024;
extern std::uint8_t copy_buffer[copy_block_size];

} // namespace player
