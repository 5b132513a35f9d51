#pragma once
// The video stage: decodes video packets, drops what a seek skips, waits for each frame's time on
// the transport clock (unless rate control is off), scales the frames it shows and pushes them to
// the FrameQueue. Keeps the decoded frame on screen for captures. Runs on its own thread (run()).

#include "Decoder.h"
#include "PacketQueue.h"
#include "Transport.h"
#include "media/FrameQueue.h"
#include "media/MediaInfo.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace media {

class VideoStage {
  public:
    VideoStage(Transport& transport, PacketQueue& input, FrameQueue& output, const MediaInfo& info,
               int threads, PixelSource pixel_source);
    void run();

    // Size frames are scaled to; 0 keeps the source size. Any thread.
    void set_target_size(int width, int height);
    // A new reference to the decoded frame on screen, or null. Any thread.
    AVFramePtr screen_frame() const;
    int decode_errors() const { return m_errors.load(); }

  private:
    void handle_frame(AVFrame* frame, int64_t media_us, int serial);
    bool handle_seek_frame(std::unique_lock<std::mutex>& lock, AVFrame* frame, int64_t media_us, int serial);
    void handle_end(int serial);
    void report_undecodable(int serial);
    void present(AVFrame* frame, int64_t media_us, int serial, bool publish);
    bool scale_through_rgb(const AVFrame* frame, VideoFrame& out);
    bool scale_into(AVFrame* frame, VideoFrame& out);

    Transport& m_transport;
    PacketQueue& m_input;
    FrameQueue& m_output;
    MediaInfo m_info;
    Decoder m_decoder;
    std::atomic<int> m_errors{0};
    std::atomic<int> m_target_width{0};
    std::atomic<int> m_target_height{0};
    PixelSource m_pixel_source;

    // Decode-thread state.
    bool m_first_of_serial = true;
    int m_candidate_serial = -1;
    AVFramePtr m_candidate = make_frame(); // last frame a seek skipped: shown if the medium ends first
    int64_t m_candidate_us = 0;
    int64_t m_last_publish_us = 0;
    int m_reported_serial = -1;
    SwsContextPtr m_scaler;
    SwsContextPtr m_converter;             // YUV 4:2:0 to BGRA at the source size, before libyuv scales it
    std::vector<uint8_t> m_source_picture; // its output

    mutable std::mutex m_screen_mutex;
    AVFramePtr m_screen = make_frame();
};

} // namespace media
