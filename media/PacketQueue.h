#pragma once
// Packets from the demux thread to one decode thread. Each packet carries the seek serial it was
// read under and the stream setup of the segment it came from, so the decoder drops stale
// packets by comparison and notices a change of segment. Thread-safe.

#include "FFmpegPtr.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace media {

// How one stream of one segment maps onto media time.
struct StreamSetup {
    AVCodecParametersPtr parameters;
    AVRational time_base{1, 1};
    int64_t origin_us = 0; // stream time (in microseconds) that is the segment's media time 0
    int64_t offset_us = 0; // media time at which the segment starts
    int64_t end_us = 0;    // media time at which the segment ends
    int segment = 0;
    // The container carries its timestamps in the stream data (MPEG), where damage or files
    // joined end to end can make them jump; the decoder then checks them against each other.
    bool discontinuous = false;

    // Media time of a stream timestamp.
    int64_t media_us(int64_t timestamp) const {
        return offset_us + av_rescale_q(timestamp, time_base, AVRational{1, 1000000}) - origin_us;
    }
};

struct PacketItem {
    AVPacketPtr packet; // null marks the end of the medium
    std::shared_ptr<const StreamSetup> setup;
    int serial = 0;
};

class PacketQueue {
  public:
    void push(PacketItem item);
    // Waits up to `wait` for an item.
    std::optional<PacketItem> pop(std::chrono::milliseconds wait);
    void clear();
    size_t count() const;
    int64_t bytes() const;
    // Called (on the popping thread, without the queue's lock) when a pop leaves fewer than
    // `count` items: the producer resting on a full queue needs to hear it only then. Set before
    // the threads start.
    void when_below(size_t count, std::function<void()> call);

  private:
    mutable std::mutex m_mutex;
    size_t m_low_count = 0;
    std::function<void()> m_on_low;
    std::condition_variable m_ready;
    std::deque<PacketItem> m_items;
    int64_t m_bytes = 0;
};

} // namespace media
