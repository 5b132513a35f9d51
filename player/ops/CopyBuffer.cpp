#include "ops/CopyBuffer.h"

namespace player {

std::uint8_t copy_buffer[copy_block_size];

} // namespace player
