#include "movie_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace plexion {
namespace {

constexpr int kMaxFrameSide = 16384;

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// The frames of the video stream counted from its packets, for movies whose
// header does not say.
int CountPackets(AVFormatContext* format, int streamIndex) {
    AVPacket* packet = av_packet_alloc();
    int count = 0;
    while (packet && av_read_frame(format, packet) >= 0) {
        count += packet->stream_index == streamIndex ? 1 : 0;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return count;
}

}  // namespace

CMovieReader::~CMovieReader() { Release(); }

std::string CMovieReader::Open(const std::string& fileName) {
    // Every failure is reported in our own words; FFmpeg's log would only repeat it.
    av_log_set_level(AV_LOG_QUIET);
    Release();
    const std::string cannotRead = "Unable to read the AVI video file \"" + fileName + "\": ";
    int result = avformat_open_input(&format_, fileName.c_str(), av_find_input_format("avi"),
                                     nullptr);
    if (result < 0) {
        return cannotRead + ErrorText(result);
    }
    result = avformat_find_stream_info(format_, nullptr);
    const AVCodec* codec = nullptr;
    if (result >= 0) {
        result = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    }
    if (result < 0 || !codec) {
        const std::string why = result < 0 ? ErrorText(result) : "no decoder for its video";
        Release();
        return cannotRead + why;
    }
    streamIndex_ = result;
    const AVStream* stream = format_->streams[streamIndex_];
    width_ = stream->codecpar->width;
    height_ = stream->codecpar->height;
    if (width_ < 1 || height_ < 1 || width_ > kMaxFrameSide || height_ > kMaxFrameSide) {
        Release();
        return cannotRead + "its frame size is not one of 1 to 16384 pixels a side";
    }
    decoder_ = avcodec_alloc_context3(codec);
    decoded_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!decoder_ || !decoded_ || !packet_ ||
        avcodec_parameters_to_context(decoder_, stream->codecpar) < 0 ||
        (result = avcodec_open2(decoder_, codec, nullptr)) < 0) {
        Release();
        return cannotRead + "its video cannot be decoded";
    }
    const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(decoder_->pix_fmt);
    hasAlpha_ = pixels && (pixels->flags & AV_PIX_FMT_FLAG_ALPHA);
    if (stream->nb_frames > 0 && stream->nb_frames <= INT32_MAX) {
        frameCount_ = static_cast<int>(stream->nb_frames);
    } else {
        frameCount_ = CountPackets(format_, streamIndex_);
        av_seek_frame(format_, streamIndex_, 0, AVSEEK_FLAG_BACKWARD);
    }
    return {};
}

bool CMovieReader::ReceiveFrame() {
    while (true) {
        const int received = avcodec_receive_frame(decoder_, decoded_);
        if (received >= 0) {
            return true;
        }
        if (received != AVERROR(EAGAIN) || drained_) {
            return false;
        }
        const int read = av_read_frame(format_, packet_);
        if (read < 0) {
            drained_ = true;
            avcodec_send_packet(decoder_, nullptr);
            continue;
        }
        if (packet_->stream_index == streamIndex_) {
            // A damaged packet loses its frame only; the ones after it may be sound.
            avcodec_send_packet(decoder_, packet_);
        }
        av_packet_unref(packet_);
    }
}

QImage CMovieReader::ReadFrame() {
    if (!decoder_ || !ReceiveFrame()) {
        return {};
    }
    if (decoded_->width < 1 || decoded_->height < 1 || decoded_->width > kMaxFrameSide ||
        decoded_->height > kMaxFrameSide) {
        return {};
    }
    converter_ = sws_getCachedContext(
        converter_, decoded_->width, decoded_->height, static_cast<AVPixelFormat>(decoded_->format),
        width_, height_, AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (frame_.isNull()) {
        frame_ = QImage(width_, height_, QImage::Format_ARGB32);
    }
    if (!converter_ || frame_.isNull()) {
        return {};
    }
    // Writing copies the pixels only while the caller still holds the last frame.
    std::uint8_t* target[1] = {frame_.bits()};
    const int targetStride[1] = {static_cast<int>(frame_.bytesPerLine())};
    sws_scale(converter_, decoded_->data, decoded_->linesize, 0, decoded_->height, target,
              targetStride);
    av_frame_unref(decoded_);
    return frame_;
}

void CMovieReader::Release() {
    avformat_close_input(&format_);
    avcodec_free_context(&decoder_);
    sws_freeContext(converter_);
    converter_ = nullptr;
    av_frame_free(&decoded_);
    av_packet_free(&packet_);
    streamIndex_ = -1;
    drained_ = false;
    frameCount_ = 0;
    width_ = height_ = 0;
    hasAlpha_ = false;
    frame_ = QImage();
}

}  // namespace plexion
