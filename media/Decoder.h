#pragma once
// An FFmpeg decoder that follows the packets' stream setup and seek serial: a new segment
// reopens it, a new serial flushes it. Used by the video and audio stages on their threads.

#include "PacketQueue.h"

#include <functional>

namespace media {

class Decoder {
  public:
    explicit Decoder(int threads) : m_threads(threads) {}

    // Receives each decoded frame with its media time (already made monotonic when missing).
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

    int m_threads;
    int m_serial = -1;
    int m_errors = 0;
    std::shared_ptr<const StreamSetup> m_setup;
    AVCodecContextPtr m_context;
    AVFramePtr m_frame = make_frame();
    int64_t m_next_us = 0;
};

} // namespace media
