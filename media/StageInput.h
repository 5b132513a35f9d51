#pragma once
// The head of each decode stage's loop (video and audio): the next packet queue item still
// wanted, or word that the engine quits.

#include "PacketQueue.h"
#include "Transport.h"

#include <optional>

namespace media {

// Waits for the next item of `input` whose serial is the transport's current one, dropping stale
// ones; nullopt once the transport says quit. Takes Transport::mutex and the queue's mutex, one
// after the other, never together.
std::optional<PacketItem> next_current_item(Transport& transport, PacketQueue& input);

} // namespace media
