#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "compression_choice.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

namespace plexion {

class CSafeFileWriter;

// Writes an AVI movie frame by frame. The first frame opens the movie: it
// fixes the frame size and asks for the compression; every failure is shown
// with its own message, then "Error Occured While Rendering the Movie", and
// leaves no open movie. The file takes its name when the movie is closed.
class CMovieWriter {
public:
    enum EState { kClosed = 0, kOpenOnNextFrame = 1, kWriting = 2 };
    using MessageSink = std::function<void(const std::string&)>;
    // Empty when the user cancels the choice.
    using CompressionChooser = std::function<std::optional<SCompressionOptions>()>;

    CMovieWriter(MessageSink showError, CompressionChooser chooseCompression);
    CMovieWriter(const CMovieWriter&) = delete;
    CMovieWriter& operator=(const CMovieWriter&) = delete;
    ~CMovieWriter();

    // Closes any open movie and deletes an existing file of that name; a rate
    // below 1 becomes 1.
    void Create(const std::string& fileName, int framesPerSecond);
    // 0 when the frame was written, a negative failure code otherwise.
    int AddFrame(const QImage& frame);
    void Close();

    EState State() const { return state_; }
    int FramesPerSecond() const { return framesPerSecond_; }
    const std::string& FileName() const { return fileName_; }
    int FrameCount() const { return frameCount_; }

private:
    int Open(const QImage& frame);
    int Fail(const char* message);
    int Encode(const AVFrame* frame);
    void Release();

    MessageSink showError_;
    CompressionChooser chooseCompression_;
    int framesPerSecond_ = 25;
    EState state_ = kClosed;
    std::string fileName_;
    int frameCount_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<CSafeFileWriter> file_;
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    AVCodecContext* encoder_ = nullptr;
    SwsContext* converter_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
};

// The message closing every failure of the movie writer.
inline constexpr const char* kRenderingFailedMessage = "Error Occured While Rendering the Movie";

}  // namespace plexion
