// The video tools against the plain FFmpeg loops doing the same work, in one
// run: Images To AVI of 250 pictures of 720 x 576 against reading and
// decoding the same files and encoding them into an AVI with plain
// libavformat/libavcodec calls; AVI To Images of the resulting movie against
// a plain decode loop that writes the same BMP bytes (colour and alpha files)
// with plain stdio. Both sides write the movie to disk before they end and
// leave the frame files to the system's write-back. Each with uncompressed
// RGB and with FFV1. The pictures and movies are made once, before anything
// is timed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench_runner.h"
#include "compression_choice.h"
#include "video_conversions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

using namespace plexion;
namespace fs = std::filesystem;

constexpr int kFrames = 250;
constexpr int kWidth = 720;
constexpr int kHeight = 576;
constexpr int kFramesPerSecond = 25;
const char* const kCodecs[] = {"rgb24", "ffv1"};

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what);
}

// A frame of a moving gradient with hard edges and some grain, so that a
// lossless codec has real work, unlike on a flat fill.
QImage SyntheticFrame(int number) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(number);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = static_cast<int>(noise & 7);
            const int red = ((x + number * 3) * 255 / kWidth + grain) & 255;
            const int green = (y * 255 / kHeight + number) & 255;
            const int blue = (((x + number) / 32 + y / 32) % 2) * 180 + grain;
            line[x] = qRgb(red, green, blue);
        }
    }
    return image;
}

SConversionHooks QuietHooks(std::string& error) {
    return {[](const std::string&) {}, [&error](const std::string& message) { error = message; },
            [] { return false; }};
}

struct CVideoFolder {
    CVideoFolder() {
        fs::create_directories(folder);
        for (int number = 1; number <= kFrames; ++number) {
            const std::string path =
                (folder / ("picture" + std::to_string(number) + ".bmp")).string();
            if (!SyntheticFrame(number).save(QString::fromStdString(path), "BMP")) {
                Fail("cannot write " + path);
            }
            pictures.push_back(path);
        }
        for (const char* codec : kCodecs) {
            fs::create_directories(folder / (std::string("real_") + codec));
            fs::create_directories(folder / (std::string("plain_") + codec));
        }
    }
    ~CVideoFolder() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    // The pictures made into a movie by Images To AVI, the first time it is asked for.
    const std::string& Movie(const char* codec) {
        std::string& movie = movies[codec];
        if (movie.empty()) {
            SImagesToAviRequest request;
            request.sources = pictures;
            request.destination = (folder / ("movie_" + std::string(codec) + ".avi")).string();
            std::string error;
            if (ImagesToAvi(
                    request, [codec] { return std::optional(SCompressionOptions{codec}); },
                    QuietHooks(error)) != EConversionEnd::Done) {
                Fail("cannot make the " + std::string(codec) + " movie: " + error);
            }
            movie = request.destination;
        }
        return movie;
    }
    std::string Output(const std::string& kind, const std::string& codec, const char* name) const {
        return (folder / (kind + "_" + codec) / name).string();
    }

    fs::path folder =
        fs::temp_directory_path() / ("plexion_bench_video_" + std::to_string(::getpid()));
    std::vector<std::string> pictures;
    std::map<std::string, std::string> movies;
};

CVideoFolder& Folder() {
    static CVideoFolder folder;
    return folder;
}

double MiB(const std::string& path) {
    return static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);
}

// Sends one frame (or the end, for null) and writes every packet it gives.
void EncodeAndWrite(AVCodecContext* encoder, AVFormatContext* format, AVStream* stream,
                    const AVFrame* frame, AVPacket* packet) {
    int result = avcodec_send_frame(encoder, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(encoder, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return;
        }
        if (result < 0) {
            break;
        }
        av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        result = av_interleaved_write_frame(format, packet);
    }
    Fail("encoding failed");
}

// The least Images To AVI has to do: read and decode each picture, convert
// it to the codec's pixel format, encode it, put it into the AVI and flush
// the movie to disk.
void PlainEncode(const std::vector<std::string>& pictures, const SOfferedCodec& codec,
                 const std::string& movie) {
    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, "avi", movie.c_str()) < 0) {
        Fail("no AVI muxer");
    }
    AVStream* stream = avformat_new_stream(format, nullptr);
    stream->time_base = AVRational{1, kFramesPerSecond};
    const AVCodec* found = avcodec_find_encoder_by_name(codec.encoder.c_str());
    AVCodecContext* encoder = avcodec_alloc_context3(found);
    encoder->width = kWidth;
    encoder->height = kHeight;
    encoder->pix_fmt = static_cast<AVPixelFormat>(codec.pixelFormat);
    encoder->time_base = stream->time_base;
    encoder->framerate = AVRational{kFramesPerSecond, 1};
    if (avcodec_open2(encoder, found, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, encoder) < 0 ||
        avio_open(&format->pb, movie.c_str(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(format, nullptr) < 0) {
        Fail("cannot start " + movie);
    }
    SwsContext* converter = sws_getContext(kWidth, kHeight, AV_PIX_FMT_BGRA, kWidth, kHeight,
                                           encoder->pix_fmt, SWS_POINT, nullptr, nullptr, nullptr);
    AVFrame* picture = av_frame_alloc();
    picture->format = encoder->pix_fmt;
    picture->width = kWidth;
    picture->height = kHeight;
    av_frame_get_buffer(picture, 0);
    AVPacket* packet = av_packet_alloc();
    for (std::size_t number = 0; number < pictures.size(); ++number) {
        QImage image;
        if (!image.load(QString::fromStdString(pictures[number]), "BMP")) {
            Fail("cannot read " + pictures[number]);
        }
        const std::uint8_t* source[1] = {image.constBits()};
        const int stride[1] = {static_cast<int>(image.bytesPerLine())};
        av_frame_make_writable(picture);
        sws_scale(converter, source, stride, 0, kHeight, picture->data, picture->linesize);
        picture->pts = static_cast<std::int64_t>(number);
        EncodeAndWrite(encoder, format, stream, picture, packet);
    }
    EncodeAndWrite(encoder, format, stream, nullptr, packet);
    av_write_trailer(format);
    avio_closep(&format->pb);
    // A movie is saved like a document: on disk before the tool is done.
    const int written = ::open(movie.c_str(), O_RDONLY | O_CLOEXEC);
    if (written < 0 || ::fsync(written) != 0) {
        Fail("cannot flush " + movie);
    }
    ::close(written);
    av_packet_free(&packet);
    av_frame_free(&picture);
    sws_freeContext(converter);
    avcodec_free_context(&encoder);
    avformat_free_context(format);
}

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A bottom-up BMP of the frame size with its headers (and a grey palette for
// 8 bits) written and its pixels left to fill.
std::vector<std::uint8_t> BmpWithHeaders(int bitsPerPixel, std::size_t rowSize) {
    const std::uint32_t offset = bitsPerPixel == 8 ? 14 + 40 + 1024 : 14 + 40;
    std::vector<std::uint8_t> bytes(offset + rowSize * kHeight, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(&bytes[2], static_cast<std::uint32_t>(bytes.size()), 4);
    PutLittleEndian(&bytes[10], offset, 4);
    PutLittleEndian(&bytes[14], 40, 4);
    PutLittleEndian(&bytes[18], kWidth, 4);
    PutLittleEndian(&bytes[22], kHeight, 4);
    PutLittleEndian(&bytes[26], 1, 2);
    PutLittleEndian(&bytes[28], static_cast<std::uint32_t>(bitsPerPixel), 2);
    for (std::uint32_t i = 0; bitsPerPixel == 8 && i < 256; ++i) {
        PutLittleEndian(&bytes[54 + 4 * i], i * 0x010101u, 4);
    }
    return bytes;
}

void WriteWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        Fail("cannot write " + path);
    }
}

std::string PlainFrameName(const std::string& folder, const char* infix, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "frames%s%06d.bmp", infix, number);
    return folder + "/" + name;
}

// The least AVI To Images has to do: decode each frame, convert it to 32
// bits and write its colour and alpha files, each in one piece and, as an
// export of many files, left to the system's write-back.
void PlainDecode(const std::string& movie, const std::string& folder) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, movie.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(format, nullptr) < 0) {
        Fail("cannot open " + movie);
    }
    const AVCodec* found = nullptr;
    const int streamIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &found, 0);
    AVCodecContext* decoder = avcodec_alloc_context3(found);
    if (streamIndex < 0 ||
        avcodec_parameters_to_context(decoder, format->streams[streamIndex]->codecpar) < 0 ||
        avcodec_open2(decoder, found, nullptr) < 0) {
        Fail("cannot decode " + movie);
    }
    SwsContext* converter = nullptr;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    const std::size_t colourRow = (kWidth * 3 + 3) & ~std::size_t{3};
    const std::size_t alphaRow = (kWidth + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> colour = BmpWithHeaders(24, colourRow);
    std::vector<std::uint8_t> alpha = BmpWithHeaders(8, alphaRow);
    const std::size_t colourOffset = colour.size() - colourRow * kHeight;
    const std::size_t alphaOffset = alpha.size() - alphaRow * kHeight;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int number = 0;
    bool drained = false;
    while (true) {
        const int received = avcodec_receive_frame(decoder, frame);
        if (received == AVERROR(EAGAIN) && !drained) {
            if (av_read_frame(format, packet) < 0) {
                drained = true;
                avcodec_send_packet(decoder, nullptr);
            } else {
                if (packet->stream_index == streamIndex) {
                    avcodec_send_packet(decoder, packet);
                }
                av_packet_unref(packet);
            }
            continue;
        }
        if (received < 0) {
            break;
        }
        converter = sws_getCachedContext(converter, frame->width, frame->height,
                                         static_cast<AVPixelFormat>(frame->format), kWidth, kHeight,
                                         AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
        std::uint8_t* target[1] = {pixels.data()};
        const int stride[1] = {kWidth * 4};
        sws_scale(converter, frame->data, frame->linesize, 0, frame->height, target, stride);
        av_frame_unref(frame);
        for (int y = 0; y < kHeight; ++y) {
            const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(y) * kWidth * 4;
            const std::size_t row = static_cast<std::size_t>(kHeight - 1 - y);
            std::uint8_t* colourLine = colour.data() + colourOffset + row * colourRow;
            std::uint8_t* alphaLine = alpha.data() + alphaOffset + row * alphaRow;
            for (int x = 0; x < kWidth; ++x) {
                colourLine[3 * x] = source[4 * x];
                colourLine[3 * x + 1] = source[4 * x + 1];
                colourLine[3 * x + 2] = source[4 * x + 2];
                alphaLine[x] = source[4 * x + 3];
            }
        }
        ++number;
        WriteWhole(PlainFrameName(folder, "_", number), colour);
        WriteWhole(PlainFrameName(folder, "_ALPHA", number), alpha);
    }
    if (number != kFrames) {
        Fail("decoded " + std::to_string(number) + " frames of " + movie);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(converter);
    avcodec_free_context(&decoder);
    avformat_close_input(&format);
}

bool SameFiles(const std::string& one, const std::string& other) {
    std::FILE* a = std::fopen(one.c_str(), "rb");
    std::FILE* b = std::fopen(other.c_str(), "rb");
    bool same = a && b;
    for (int c = 0; same && c != EOF;) {
        c = std::fgetc(a);
        same = c == std::fgetc(b);
    }
    if (a) {
        std::fclose(a);
    }
    if (b) {
        std::fclose(b);
    }
    return same;
}

void BM_PlainEncode(benchmark::State& state, const char* codecName) {
    const CVideoFolder& folder = Folder();
    const std::optional<SOfferedCodec> codec = FindOfferedCodec(codecName);
    const std::string movie = folder.Output("plain", codecName, "movie.avi");
    for (auto _ : state) {
        PlainEncode(folder.pictures, *codec, movie);
    }
    state.counters["MiB"] = MiB(movie);
}

void BM_ImagesToAvi(benchmark::State& state, const char* codec) {
    const CVideoFolder& folder = Folder();
    SImagesToAviRequest request;
    request.sources = folder.pictures;
    request.destination = folder.Output("real", codec, "movie.avi");
    std::string error;
    for (auto _ : state) {
        if (ImagesToAvi(
                request, [codec] { return std::optional(SCompressionOptions{codec}); },
                QuietHooks(error)) != EConversionEnd::Done) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["MiB"] = MiB(request.destination);
}

void BM_PlainDecode(benchmark::State& state, const char* codec) {
    CVideoFolder& folder = Folder();
    const std::string& movie = folder.Movie(codec);
    const std::string output = folder.Output("plain", codec, "");
    for (auto _ : state) {
        PlainDecode(movie, output);
    }
}

void BM_AviToImages(benchmark::State& state, const char* codec) {
    CVideoFolder& folder = Folder();
    SAviToImagesRequest request;
    request.source = folder.Movie(codec);
    request.destination = folder.Output("real", codec, "frames.bmp");
    std::string error;
    for (auto _ : state) {
        if (AviToImages(request, QuietHooks(error)) != EConversionEnd::Done) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    // Both sides must have written the same bytes for the times to compare.
    const std::string plain = folder.Output("plain", codec, "");
    const std::string real = folder.Output("real", codec, "");
    for (const int number : {1, kFrames}) {
        for (const char* infix : {"_", "_ALPHA"}) {
            if (fs::exists(PlainFrameName(plain, infix, number)) &&
                !SameFiles(PlainFrameName(plain, infix, number),
                           PlainFrameName(real, infix, number))) {
                state.SkipWithError("the plain loop wrote other bytes");
            }
        }
    }
}

void Register() {
    for (const char* codec : kCodecs) {
        const std::string suffix = std::string("/") + codec;
        using Run = void (*)(benchmark::State&, const char*);
        const std::pair<const char*, Run> runs[] = {{"BM_PlainEncode", BM_PlainEncode},
                                                    {"BM_ImagesToAvi", BM_ImagesToAvi},
                                                    {"BM_PlainDecode", BM_PlainDecode},
                                                    {"BM_AviToImages", BM_AviToImages}};
        for (const auto& [name, run] : runs) {
            // An FFV1 pass takes seconds, an uncompressed one well under
            // two; repetitions give the spread.
            benchmark::RegisterBenchmark((std::string(name) + suffix).c_str(), run, codec)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(std::string(codec) == "ffv1" ? 1 : 3);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_QUIET);
    Register();
    return plexion::RunBenchmarks(argc, argv);
}
