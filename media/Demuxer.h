#pragma once
// The demux stage: reads packets of the medium's segments in order and feeds the video and
// audio packet queues; performs the seeks the transport asks for. Runs on its own thread
// (run()); touches nothing but its inputs, its two queues and the transport.

#include "InputSource.h"
#include "PacketQueue.h"
#include "Transport.h"

#include <memory>
#include <vector>

namespace media {

// Where one segment lies on the medium's time line, found when the medium was opened.
struct SegmentTiming {
    int64_t offset_us = 0;
    int64_t duration_us = 0;
    int64_t origin_us = 0; // stream time of the segment's first video frame (or first sound)
};

class Demuxer {
  public:
    // A null queue means nobody decodes that kind of stream; its packets are not read out.
    Demuxer(Transport& transport, std::vector<SegmentSource> segments, std::vector<SegmentTiming> timings,
            PacketQueue* video, PacketQueue* audio);
    // Thread body; returns when the transport says quit.
    void run();

  private:
    bool open_segment(size_t index);
    void perform_seek(const SeekRequest& request);
    bool seek_within(int64_t local_us);
    void read_one();
    void end_of_medium();
    // True while the queues hold enough: both `packets` packets, or `bytes` bytes together.
    bool queues_hold(size_t packets, int64_t bytes) const;
    bool resting();

    Transport& m_transport;
    std::vector<SegmentSource> m_segments;
    std::vector<SegmentTiming> m_timings;
    PacketQueue m_unused; // stands in for an absent queue; never filled
    PacketQueue& m_video;
    PacketQueue& m_audio;
    bool m_wants_video;
    bool m_wants_audio;

    std::unique_ptr<Input> m_input;
    size_t m_segment = 0;
    int m_video_index = -1;
    int m_audio_index = -1;
    std::shared_ptr<const StreamSetup> m_video_setup;
    std::shared_ptr<const StreamSetup> m_audio_setup;
    int m_serial = 0;
    bool m_at_end = false;
    bool m_fresh = false; // the segment was just opened and nothing was read from it
    bool m_resting = false; // the queues were full and have not run half empty since
    AVPacketPtr m_packet = make_packet();
};

} // namespace media
