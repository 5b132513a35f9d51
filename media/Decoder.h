#pragma once
// An FFmpeg decoder that follows the packets' stream setup and seek serial: a new segment
// reopens it, a new serial flushes it. Used by the video and audio stages on their threads.

#include "PacketQueue.h"

#include <functional>

namespace media {

class Decoder {
  public:
    explicit Decoder(int threads) : m_threads(threads) {}

    // Receives each decoded frame with its media time: a missing timestamp continues from the
    // frame before; in streams whose timestamps may jump, one out of line with its neighbours or
    // outside its segment is replaced likewise (see checked_time).
    using FrameHandler = std::function<void(AVFrame* frame, int64_t media_us)>;

    // Decodes one queue item; an item without packet drains the decoder. Before a packet of a new
    // segment the old decoder is drained too, so no frame is lost at a track change.
    // Returns false when no decoder could be opened for the item's stream.
    bool decode(const PacketItem& item, const FrameHandler& handler);
    // Forgets buffered frames (a new serial).
    void flush();
    const AVCodecContext* context() const { return m_context.get(); }
    int serial() const { return m_serial; }
    int errors() const { return m_errors; }

  private:
    bool open_for(const std::shared_ptr<const StreamSetup>& setup);
    void receive(const FrameHandler& handler);
    void drain(const FrameHandler& handler);
    int64_t checked_time(int64_t stamped_us);

    int m_threads;
    int m_serial = -1;
    int m_errors = 0;
    std::shared_ptr<const StreamSetup> m_setup;
    AVCodecContextPtr m_context;
    AVFramePtr m_frame = make_frame();
    int64_t m_next_us = 0;     // where the next frame is due, going by the frames before it
    int64_t m_next_raw_us = 0; // where it is due going by the last frame's own timestamp
    bool m_expecting = false;  // the two above hold (a frame was seen since the last flush)
};

} // namespace media
