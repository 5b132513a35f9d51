#include "StageInput.h"

#include <chrono>

namespace media {

namespace {

// How long one wait for a packet lasts before quit is looked at again.
constexpr auto pop_wait = std::chrono::milliseconds(20);

} // namespace

std::optional<PacketItem> next_current_item(Transport& transport, PacketQueue& input) {
    for (;;) {
        {
            std::lock_guard lock(transport.mutex);
            if (transport.quit)
                return std::nullopt;
        }
        auto item = input.pop(pop_wait);
        if (item && transport.is_current(item->serial))
            return item;
    }
}

} // namespace media
