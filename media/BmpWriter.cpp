#include "BmpWriter.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace media {

namespace {

Result<AVFramePtr> to_bgr24(const AVFrame* frame) {
    auto picture = make_frame();
    picture->format = AV_PIX_FMT_BGR24;
    picture->width = frame->width;
    picture->height = frame->height;
    if (av_frame_get_buffer(picture.get(), 0) < 0)
        return make_error(ErrorCode::Io, "out of memory");
    SwsContextPtr scaler(
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                       frame->height, AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler)
        return make_error(ErrorCode::UnsupportedFormat, "cannot convert the frame's pixel format");
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, picture->data, picture->linesize);
    return picture;
}

Result<AVPacketPtr> encode(const AVFrame* picture) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_BMP);
    if (!codec)
        return make_error(ErrorCode::UnsupportedFormat, "no BMP encoder");
    AVCodecContextPtr context(avcodec_alloc_context3(codec));
    context->width = picture->width;
    context->height = picture->height;
    context->pix_fmt = AV_PIX_FMT_BGR24;
    context->time_base = AVRational{1, 25};
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return make_error(ErrorCode::UnsupportedFormat, "cannot open the BMP encoder");
    auto packet = make_packet();
    if (avcodec_send_frame(context.get(), picture) < 0 ||
        avcodec_receive_packet(context.get(), packet.get()) < 0)
        return make_error(ErrorCode::Io, "BMP encoding failed");
    return packet;
}

} // namespace

Status write_bmp(const AVFrame* frame, const std::string& path) {
    auto picture = to_bgr24(frame);
    if (!picture)
        return picture.error();
    auto packet = encode(picture->get());
    if (!packet)
        return packet.error();
    std::string temporary = path + ".partial";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return make_error(ErrorCode::Io, "cannot create " + path);
    bool written = std::fwrite((*packet)->data, 1, static_cast<size_t>((*packet)->size), file) ==
                   static_cast<size_t>((*packet)->size);
    written = std::fflush(file) == 0 && written && ::fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    if (written)
        std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return make_error(ErrorCode::Io, "cannot write " + path);
    }
    return Ok{};
}

} // namespace media
