#include "media/clip_decoder.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
#include <libavutil/imgutils.h>
}

namespace lnf {

namespace {
struct Resources {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scale = nullptr;
    ~Resources() {
        sws_freeContext(scale);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

// MJPEG decodes to the full-range formats that the scaler wants named as their plain twins.
AVPixelFormat PlainFormat(AVPixelFormat f, bool& fullRange) {
    fullRange = true;
    switch (f) {
        case AV_PIX_FMT_YUVJ420P: return AV_PIX_FMT_YUV420P;
        case AV_PIX_FMT_YUVJ422P: return AV_PIX_FMT_YUV422P;
        case AV_PIX_FMT_YUVJ444P: return AV_PIX_FMT_YUV444P;
        case AV_PIX_FMT_YUVJ440P: return AV_PIX_FMT_YUV440P;
        default: fullRange = false; return f;
    }
}
}  // namespace

Clip DecodeClip(const std::string& path) {
    auto fail = [&](const std::string& why) { throw std::runtime_error("Cannot play the video \"" + path + "\": " + why); };
    Resources r;
    if (avformat_open_input(&r.format, path.c_str(), nullptr, nullptr) < 0) fail("cannot open it");
    if (avformat_find_stream_info(r.format, nullptr) < 0) fail("no stream information");
    int stream = av_find_best_stream(r.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0) fail("no video stream");
    AVStream* st = r.format->streams[stream];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) fail("no decoder for its format");
    r.codec = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(r.codec, st->codecpar);
    if (avcodec_open2(r.codec, codec, nullptr) < 0) fail("the decoder does not start");
    r.frame = av_frame_alloc();
    r.packet = av_packet_alloc();
    Clip clip;
    AVRational rate = st->avg_frame_rate.num ? st->avg_frame_rate : st->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) clip.framesPerSecond = av_q2d(rate);
    auto take = [&]() {
        while (avcodec_receive_frame(r.codec, r.frame) == 0) {
            int w = r.frame->width, h = r.frame->height;
            bool fullRange = false;
            AVPixelFormat src = PlainFormat(AVPixelFormat(r.frame->format), fullRange);
            r.scale = sws_getCachedContext(r.scale, w, h, src, w, h, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (!r.scale) fail("cannot convert its pictures");
            if (fullRange) {
                int* inv;
                int* table;
                int srcRange, dstRange, brightness, contrast, saturation;
                sws_getColorspaceDetails(r.scale, &inv, &srcRange, &table, &dstRange, &brightness, &contrast, &saturation);
                sws_setColorspaceDetails(r.scale, inv, 1, table, dstRange, brightness, contrast, saturation);
            }
            // The scaler writes whole aligned blocks: give it a padded buffer of its own.
            uint8_t* dst[4] = {};
            int stride[4] = {};
            if (av_image_alloc(dst, stride, w, h + 1, AV_PIX_FMT_RGB24, 64) < 0) fail("out of memory");
            sws_scale(r.scale, r.frame->data, r.frame->linesize, 0, h, dst, stride);
            Image img(w, h, 3);
            for (int y = 0; y < h; ++y) std::copy_n(dst[0] + size_t(y) * size_t(stride[0]), size_t(w) * 3, img.row(y));
            av_freep(&dst[0]);
            clip.frames.push_back(std::move(img));
        }
    };
    while (av_read_frame(r.format, r.packet) >= 0) {
        if (r.packet->stream_index == stream) {
            avcodec_send_packet(r.codec, r.packet);
            take();
        }
        av_packet_unref(r.packet);
    }
    avcodec_send_packet(r.codec, nullptr);
    take();
    if (clip.frames.empty()) fail("it holds no pictures");
    return clip;
}

}  // namespace lnf
