#pragma once

#include <QImage>
#include <string>

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace plexion {

// Reads the frames of an AVI movie's video stream in order, each as a
// 32-bit picture whose colours are straight (not multiplied by alpha).
class CMovieReader {
public:
    CMovieReader() = default;
    CMovieReader(const CMovieReader&) = delete;
    CMovieReader& operator=(const CMovieReader&) = delete;
    ~CMovieReader();

    // "" when the movie is open, else why it cannot be read.
    std::string Open(const std::string& fileName);
    int FrameCount() const { return frameCount_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool HasAlpha() const { return hasAlpha_; }
    // The next frame (Format_ARGB32); null after the last one or when the
    // movie is damaged.
    QImage ReadFrame();

private:
    bool ReceiveFrame();
    void Release();

    AVFormatContext* format_ = nullptr;
    AVCodecContext* decoder_ = nullptr;
    SwsContext* converter_ = nullptr;
    AVFrame* decoded_ = nullptr;
    AVPacket* packet_ = nullptr;
    int streamIndex_ = -1;
    bool drained_ = false;
    int frameCount_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool hasAlpha_ = false;
    // The pixels of the frame read last, kept for the next one.
    QImage frame_;
};

}  // namespace plexion
