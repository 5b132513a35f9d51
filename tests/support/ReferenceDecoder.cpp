#include "ReferenceDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdlib>
#include <memory>

namespace media::test {

namespace {

struct Closer {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    void operator()(AVFrame* f) const { av_frame_free(&f); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

ReferenceFrame convert(const AVFrame* frame, int64_t index) {
    ReferenceFrame out{index, frame->width, frame->height, {}};
    out.bgra.resize(size_t(frame->width) * frame->height * 4);
    std::unique_ptr<SwsContext, Closer> scaler(
        sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width, frame->height,
                       AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
    uint8_t* planes[4] = {out.bgra.data(), nullptr, nullptr, nullptr};
    int strides[4] = {frame->width * 4, 0, 0, 0};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return out;
}

} // namespace

std::optional<ReferenceFrame> reference_frame(const std::string& path, int64_t index) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return std::nullopt;
    std::unique_ptr<AVFormatContext, Closer> format(raw);
    avformat_find_stream_info(raw, nullptr);
    const AVCodec* codec = nullptr;
    int stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream < 0)
        return std::nullopt;
    std::unique_ptr<AVCodecContext, Closer> context(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(context.get(), raw->streams[stream]->codecpar);
    context->thread_count = 1;
    avcodec_open2(context.get(), codec, nullptr);
    std::unique_ptr<AVFrame, Closer> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, Closer> packet(av_packet_alloc());
    int64_t count = 0;
    auto receive = [&]() -> std::optional<ReferenceFrame> {
        while (avcodec_receive_frame(context.get(), frame.get()) >= 0) {
            if (count++ == index)
                return convert(frame.get(), index);
            av_frame_unref(frame.get());
        }
        return std::nullopt;
    };
    while (av_read_frame(raw, packet.get()) >= 0) {
        if (packet->stream_index == stream)
            avcodec_send_packet(context.get(), packet.get());
        av_packet_unref(packet.get());
        if (auto found = receive())
            return found;
    }
    avcodec_send_packet(context.get(), nullptr);
    return receive();
}

double picture_difference(std::span<const uint8_t> a, std::span<const uint8_t> b) {
    if (a.size() != b.size() || a.empty())
        return 1e9;
    double total = 0;
    for (size_t i = 0; i < a.size(); ++i)
        total += std::abs(int(a[i]) - int(b[i]));
    return total / double(a.size());
}

} // namespace media::test
