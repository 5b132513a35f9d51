#include "VideoStage.h"

#include "StageInput.h"

#include <libyuv/scale_argb.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace media {

namespace {

// A frame further behind the clock than this is passed over without being scaled and shown.
constexpr int64_t late_frame_threshold_us = 100000;
// Unpaced play (rate control off) shows at most one picture per this interval of real time.
constexpr int64_t unpaced_publish_interval_us = 20000;

// The largest picture the engine scales to, whatever size the owner asks for: no side above
// 8192 pixels and no more than 4096 x 4096 pixels in all (64 MiB of BGRA), which keeps every
// byte count well inside an int and the frame queue's memory bounded. A larger request is met
// with a picture of the same aspect within these bounds, which the owner stretches to its
// rectangle.
constexpr int64_t max_picture_side = 8192;
constexpr int64_t max_picture_area = int64_t(4096) * 4096;

// `width` x `height` scaled down, keeping the aspect, to within the bounds above.
void bound_picture_size(int& width, int& height) {
    int64_t w = width, h = height;
    double scale = std::min({1.0, double(max_picture_side) / double(w), double(max_picture_side) / double(h),
                             std::sqrt(double(max_picture_area) / (double(w) * double(h)))});
    if (scale >= 1.0)
        return;
    width = static_cast<int>(std::clamp<int64_t>(std::llround(double(w) * scale), 1, max_picture_side));
    height = static_cast<int>(std::clamp<int64_t>(std::llround(double(h) * scale), 1, max_picture_side));
    // Rounding up both sides may overshoot the area by a row or column: take it off the longer one.
    while (int64_t(width) * height > max_picture_area)
        (width >= height ? width : height) -= 1;
}

int64_t wall_us() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool is_key(const AVFrame* frame) {
    return frame->key_frame || frame->pict_type == AV_PICTURE_TYPE_I;
}

} // namespace

VideoStage::VideoStage(Transport& transport, PacketQueue& input, FrameQueue& output, const MediaInfo& info,
                       int threads, PixelSource pixel_source)
    : m_transport(transport), m_input(input), m_output(output), m_info(info), m_decoder(threads),
      m_pixel_source(std::move(pixel_source)) {}

void VideoStage::set_target_size(int width, int height) {
    m_target_width = width;
    m_target_height = height;
}

AVFramePtr VideoStage::screen_frame() const {
    std::lock_guard lock(m_screen_mutex);
    if (!m_screen->buf[0])
        return nullptr;
    auto copy = make_frame();
    if (av_frame_ref(copy.get(), m_screen.get()) < 0)
        return nullptr;
    return copy;
}

void VideoStage::run() {
    while (auto item = next_current_item(m_transport, m_input)) {
        int serial = item->serial;
        if (serial != m_decoder.serial()) {
            m_first_of_serial = true;
            m_candidate_serial = -1;
        }
        bool ended = !item->packet;
        if (!m_decoder.decode(
                *item, [&](AVFrame* frame, int64_t media_us) { handle_frame(frame, media_us, serial); }))
            report_undecodable(serial);
        m_errors = std::max(m_errors.load(), m_decoder.errors());
        if (ended)
            handle_end(serial);
    }
}

void VideoStage::report_undecodable(int serial) {
    m_errors = m_errors + 1;
    if (serial == m_reported_serial)
        return; // once per seek generation is enough
    m_reported_serial = serial;
    std::lock_guard lock(m_transport.mutex);
    m_transport.post(Event{EventKind::Error, m_transport.machine.mode(), m_transport.position_us,
                           "no decoder could be opened for the video stream"});
}

void VideoStage::handle_frame(AVFrame* frame, int64_t media_us, int serial) {
    auto& transport = m_transport;
    std::unique_lock lock(transport.mutex);
    bool first = std::exchange(m_first_of_serial, false);
    if (serial != transport.serial || transport.quit)
        return;
    if (transport.seek && transport.seek->serial == serial) {
        const auto& seek = *transport.seek;
        bool overshot =
            seek.kind != SeekKind::End && media_us > seek.target_us + m_info.frame_duration_us() / 2;
        if (first && overshot && seek.margin_us < seek.target_us &&
            seek.margin_us < Transport::max_seek_margin_us) {
            transport.widen_seek();
            return;
        }
        handle_seek_frame(lock, frame, media_us, serial);
        return;
    }
    // The frame is due at its time on the clock, at once without rate control, and never when it
    // lies past the end of the range asked for.
    bool past_range = false;
    bool due = transport.wait_in_play(lock, serial, [&] {
        past_range = transport.range.to_us && media_us > *transport.range.to_us;
        return past_range || !transport.paced ? 0 : transport.real_us_until(media_us);
    });
    if (!due)
        return;
    if (past_range) {
        transport.reached_end(serial);
        return;
    }
    bool publish = transport.paced ? transport.clock.now() - media_us <= late_frame_threshold_us
                                   : wall_us() - m_last_publish_us >= unpaced_publish_interval_us;
    lock.unlock();
    present(frame, media_us, serial, publish);
}

bool VideoStage::handle_seek_frame(std::unique_lock<std::mutex>& lock, AVFrame* frame, int64_t media_us,
                                   int serial) {
    const auto& seek = *m_transport.seek;
    bool reached = false;
    if (seek.kind == SeekKind::Exact)
        reached = media_us >= seek.target_us;
    else if (seek.kind == SeekKind::NextKey)
        reached = media_us >= seek.target_us && is_key(frame);
    if (!reached) {
        av_frame_unref(m_candidate.get());
        if (av_frame_ref(m_candidate.get(), frame) >= 0) {
            m_candidate_us = media_us;
            m_candidate_serial = serial;
        }
        return false;
    }
    lock.unlock();
    present(frame, media_us, serial, true);
    lock.lock();
    if (serial == m_transport.serial)
        m_transport.finish_seek(media_us);
    return true;
}

void VideoStage::handle_end(int serial) {
    auto& transport = m_transport;
    std::unique_lock lock(transport.mutex);
    if (serial != transport.serial)
        return;
    if (transport.seek && transport.seek->serial == serial) {
        // The medium ended before the target: the last frame is the one to show.
        if (m_candidate_serial == serial) {
            lock.unlock();
            present(m_candidate.get(), m_candidate_us, serial, true);
            lock.lock();
            if (serial != transport.serial)
                return;
            transport.finish_seek(m_candidate_us);
        } else {
            transport.finish_seek(transport.position_us);
        }
    }
    // Hold the end until play reaches it: the last frame stays for its duration.
    int64_t end_us = transport.position_us + m_info.frame_duration_us();
    if (!transport.wait_in_play(lock, serial,
                                [&] { return transport.paced ? transport.real_us_until(end_us) : 0; }))
        return;
    transport.exhausted_serial = serial;
    transport.reached_end(serial);
}

void VideoStage::present(AVFrame* frame, int64_t media_us, int serial, bool publish) {
    {
        std::lock_guard lock(m_screen_mutex);
        av_frame_unref(m_screen.get());
        av_frame_ref(m_screen.get(), frame);
    }
    bool published = false;
    if (publish) {
        VideoFrame picture;
        if (scale_into(frame, picture)) {
            picture.position_us = media_us;
            picture.frame_number = m_info.frame_at(media_us);
            picture.serial = serial;
            m_output.push(std::move(picture));
            m_last_publish_us = wall_us();
            published = true;
        }
    }
    std::lock_guard lock(m_transport.mutex);
    if (serial != m_transport.serial)
        return;
    m_transport.position_us = media_us;
    if (published)
        m_transport.post(Event{EventKind::FrameReady, m_transport.machine.mode(), media_us, {}});
}

// A YUV 4:2:0 picture for a larger size goes in two steps: converted to BGRA at its own size by
// libswscale's SIMD converter, then scaled by libyuv's bilinear ARGB scaler. Scaling the planes
// first and converting at the new size costs about half as much again, and scaling straight into
// BGRA with libswscale twice as much. Bilinear scaling commutes with the colour conversion, so
// the picture is the same but for rounding.
bool VideoStage::scale_through_rgb(const AVFrame* frame, VideoFrame& out) {
    // Only for enlarging: two bilinear taps would skip source pixels when shrinking, where
    // libswscale widens its filter, and a small picture costs little anyway.
    if (frame->format != AV_PIX_FMT_YUV420P || out.width < frame->width || out.height < frame->height ||
        frame->width > 32768 || frame->height > 32768)
        return false;
    m_converter.reset(sws_getCachedContext(m_converter.release(), frame->width, frame->height, AV_PIX_FMT_YUV420P,
                                           frame->width, frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                           nullptr, nullptr));
    if (!m_converter)
        return false;
    const int stride = frame->width * 4;
    m_source_picture.resize(static_cast<size_t>(stride) * frame->height);
    uint8_t* planes[4] = {m_source_picture.data(), nullptr, nullptr, nullptr};
    int strides[4] = {stride, 0, 0, 0};
    if (sws_scale(m_converter.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) != frame->height)
        return false;
    return libyuv::ARGBScale(m_source_picture.data(), stride, frame->width, frame->height, out.pixels.data(),
                             out.stride, out.width, out.height, libyuv::kFilterBilinear) == 0;
}

bool VideoStage::scale_into(AVFrame* frame, VideoFrame& out) {
    int width = m_target_width > 0 ? m_target_width.load() : frame->width;
    int height = m_target_height > 0 ? m_target_height.load() : frame->height;
    if (width <= 0 || height <= 0 || frame->width <= 0 || frame->height <= 0)
        return false;
    bound_picture_size(width, height);
    out.width = width;
    out.height = height;
    out.stride = width * 4;
    const size_t size = static_cast<size_t>(out.stride) * height;
    out.pixels = m_pixel_source ? m_pixel_source(size) : PixelBuffer();
    if (out.pixels.size() < size)
        out.pixels = PixelBuffer::on_heap(size);
    if ((width != frame->width || height != frame->height) && scale_through_rgb(frame, out))
        return true;
    SwsContext* scaler = sws_getCachedContext(m_scaler.release(), frame->width, frame->height,
                                              static_cast<AVPixelFormat>(frame->format), width, height,
                                              AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    m_scaler.reset(scaler);
    if (!scaler)
        return false;
    uint8_t* planes[4] = {out.pixels.data(), nullptr, nullptr, nullptr};
    int strides[4] = {out.stride, 0, 0, 0};
    return sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) == height;
}

} // namespace media
