#include "movie_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "safe_file_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace plexion {
namespace {

constexpr int kMaxFrameSide = 16384;
constexpr int kOutputBufferSize = 1 << 16;

int WriteToFile(void* opaque, std::uint8_t* bytes, int size) {
    auto* file = static_cast<CSafeFileWriter*>(opaque);
    if (!file->Write(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(size)))) {
        return AVERROR(EIO);
    }
    return size;
}

std::int64_t SeekInFile(void* opaque, std::int64_t offset, int whence) {
    const int fd = static_cast<CSafeFileWriter*>(opaque)->Descriptor();
    if (whence & AVSEEK_SIZE) {
        struct stat status {};
        return fstat(fd, &status) == 0 ? status.st_size : AVERROR(errno);
    }
    const off_t position = lseek(fd, offset, whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(errno) : position;
}

}  // namespace

CMovieWriter::CMovieWriter(MessageSink showError, CompressionChooser chooseCompression)
    : showError_(std::move(showError)), chooseCompression_(std::move(chooseCompression)) {}

CMovieWriter::~CMovieWriter() { Release(); }

void CMovieWriter::Create(const std::string& fileName, int framesPerSecond) {
    // Every failure is reported in our own words; FFmpeg's log would only repeat it.
    av_log_set_level(AV_LOG_QUIET);
    Close();
    unlink(fileName.c_str());
    fileName_ = fileName;
    framesPerSecond_ = framesPerSecond < 1 ? 1 : framesPerSecond;
    state_ = kOpenOnNextFrame;
}

int CMovieWriter::AddFrame(const QImage& frame) {
    if (state_ == kClosed || fileName_.empty()) {
        return AVERROR(EINVAL);
    }
    if (state_ == kOpenOnNextFrame) {
        const int opened = Open(frame);
        if (opened != 0) {
            return opened;
        }
    }
    if (frame.width() != width_ || frame.height() != height_) {
        return AVERROR(EINVAL);
    }
    // Both formats already hold straight BGRA bytes; converting would only copy.
    const bool straight =
        frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32;
    const QImage pixels = straight ? frame : frame.convertToFormat(QImage::Format_ARGB32);
    const std::uint8_t* source[1] = {pixels.constBits()};
    const int sourceStride[1] = {static_cast<int>(pixels.bytesPerLine())};
    int result = av_frame_make_writable(picture_);
    if (result < 0) {
        return result;
    }
    sws_scale(converter_, source, sourceStride, 0, height_, picture_->data, picture_->linesize);
    picture_->pts = frameCount_;
    result = Encode(picture_);
    if (result == 0) {
        ++frameCount_;
    }
    return result;
}

int CMovieWriter::Open(const QImage& frame) {
    width_ = frame.width();
    height_ = frame.height();
    if (width_ < 1 || height_ < 1 || width_ > kMaxFrameSide || height_ > kMaxFrameSide) {
        return Fail("Unable to Allocate Memory");
    }
    file_ = std::make_unique<CSafeFileWriter>();
    if (!file_->Open(fileName_) ||
        avformat_alloc_output_context2(&format_, nullptr, "avi", nullptr) < 0) {
        return Fail("Unable to Create the Movie File");
    }
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kOutputBufferSize));
    format_->pb = buffer ? avio_alloc_context(buffer, kOutputBufferSize, 1, file_.get(), nullptr,
                                              WriteToFile, SeekInFile)
                         : nullptr;
    if (!format_->pb) {
        av_free(buffer);
        return Fail("Unable to Allocate Memory");
    }
    stream_ = avformat_new_stream(format_, nullptr);
    if (!stream_) {
        return Fail("Unable to Create Stream");
    }
    stream_->time_base = AVRational{1, framesPerSecond_};
    stream_->avg_frame_rate = AVRational{framesPerSecond_, 1};
    av_dict_set(&stream_->metadata, "title", "Video Stream", 0);

    const std::optional<SCompressionOptions> chosen = chooseCompression_();
    if (!chosen) {
        Release();
        showError_(kRenderingFailedMessage);
        return AVERROR_EXIT;
    }
    const std::optional<SOfferedCodec> codec = FindOfferedCodec(chosen->codec);
    const AVCodec* encoder = codec ? avcodec_find_encoder_by_name(codec->encoder.c_str()) : nullptr;
    encoder_ = encoder ? avcodec_alloc_context3(encoder) : nullptr;
    if (!encoder_) {
        return Fail("Unable to Create Compressed Stream");
    }
    encoder_->width = width_;
    encoder_->height = height_;
    encoder_->pix_fmt = static_cast<AVPixelFormat>(codec->pixelFormat);
    encoder_->time_base = stream_->time_base;
    encoder_->framerate = stream_->avg_frame_rate;
    if (chosen->keyFrameInterval > 0) {
        encoder_->gop_size = chosen->keyFrameInterval;
    }
    if (codec->hasQuality && chosen->quality > 0) {
        encoder_->flags |= AV_CODEC_FLAG_QSCALE;
        encoder_->global_quality = FF_QP2LAMBDA * chosen->quality;
    }
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) {
        encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (avcodec_open2(encoder_, encoder, nullptr) < 0 ||
        avcodec_parameters_from_context(stream_->codecpar, encoder_) < 0) {
        return Fail("Unable to Create Compressed Stream");
    }
    converter_ = sws_getContext(width_, height_, AV_PIX_FMT_BGRA, width_, height_,
                                encoder_->pix_fmt, SWS_POINT, nullptr, nullptr, nullptr);
    if (!converter_ || avformat_write_header(format_, nullptr) < 0) {
        return Fail("Unable to Set Format");
    }
    picture_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!picture_ || !packet_) {
        return Fail("Unable to Allocate Memory");
    }
    picture_->format = encoder_->pix_fmt;
    picture_->width = width_;
    picture_->height = height_;
    if (av_frame_get_buffer(picture_, 0) < 0) {
        return Fail("Unable to Allocate Memory");
    }
    state_ = kWriting;
    return 0;
}

int CMovieWriter::Fail(const char* message) {
    showError_(message);
    Release();
    showError_(kRenderingFailedMessage);
    return AVERROR_EXTERNAL;
}

int CMovieWriter::Encode(const AVFrame* frame) {
    int result = avcodec_send_frame(encoder_, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(encoder_, packet_);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return 0;
        }
        if (result < 0) {
            break;
        }
        av_packet_rescale_ts(packet_, encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        result = av_interleaved_write_frame(format_, packet_);
    }
    return result;
}

void CMovieWriter::Close() {
    if (state_ == kWriting) {
        const bool written = Encode(nullptr) == 0 && av_write_trailer(format_) == 0;
        avio_flush(format_->pb);
        if (written && format_->pb->error == 0 && !file_->Commit()) {
            showError_("Unable to Create the Movie File: " + file_->Error());
        }
    }
    Release();
}

void CMovieWriter::Release() {
    if (format_) {
        if (format_->pb) {
            av_freep(&format_->pb->buffer);
            avio_context_free(&format_->pb);
        }
        avformat_free_context(format_);
        format_ = nullptr;
    }
    stream_ = nullptr;
    avcodec_free_context(&encoder_);
    sws_freeContext(converter_);
    converter_ = nullptr;
    av_frame_free(&picture_);
    av_packet_free(&packet_);
    file_.reset();
    frameCount_ = 0;
    state_ = kOpenOnNextFrame;
    framesPerSecond_ = 25;
    fileName_.clear();
}

}  // namespace plexion
