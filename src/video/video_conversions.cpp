#include "video_conversions.h"

#include <QPainter>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "frame_bmp.h"
#include "frame_file_names.h"
#include "image_codecs.h"
#include "movie_reader.h"
#include "safe_file_writer.h"

namespace plexion {
namespace {

std::string Progress(const char* format, int number, int count) {
    char text[96];
    std::snprintf(text, sizeof text, format, number, count);
    return text;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

// The picture stretched over the whole black frame; a picture the codecs
// cannot read leaves the frame black.
void DrawStretched(QImage& frame, const std::vector<std::uint8_t>& bytes) {
    frame.fill(Qt::black);
    const QImage picture = DecodeImage(bytes);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, frame.width(), frame.height()), picture);
}

}  // namespace

EConversionEnd ImagesToAvi(const SImagesToAviRequest& request,
                           const CMovieWriter::CompressionChooser& chooseCompression,
                           const SConversionHooks& hooks) {
    QImage frame(request.width, request.height, QImage::Format_RGB32);
    if (frame.isNull()) {
        hooks.showError("Unable to Allocate Memory");
        return EConversionEnd::Failed;
    }
    CMovieWriter movie(hooks.showError, chooseCompression);
    movie.Create(request.destination, request.framesPerSecond);
    const int count = static_cast<int>(request.sources.size());
    EConversionEnd end = EConversionEnd::Done;
    for (int number = 1; number <= count; ++number) {
        const std::string& source = request.sources[static_cast<std::size_t>(number - 1)];
        hooks.showStatus(Progress("Adding video frame: %d / %d\n", number, count));
        const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(source);
        if (!bytes) {
            hooks.showError("Unable to open the image file \"" + source +
                            "\"; the movie keeps the frames before it.");
            end = EConversionEnd::Failed;
            break;
        }
        DrawStretched(frame, *bytes);
        if (movie.AddFrame(frame) != 0) {
            end = EConversionEnd::Failed;
            break;
        }
        if (hooks.abortRequested()) {
            end = EConversionEnd::Aborted;
            break;
        }
    }
    movie.Close();
    hooks.showStatus("Done.");
    return end;
}

EConversionEnd AviToImages(const SAviToImagesRequest& request, const SConversionHooks& hooks) {
    CMovieReader movie;
    const std::string problem = movie.Open(request.source);
    if (!problem.empty()) {
        hooks.showError(problem);
        return EConversionEnd::Failed;
    }
    const int count = movie.FrameCount();
    EConversionEnd end = EConversionEnd::Done;
    for (int number = 1; number <= count; ++number) {
        hooks.showStatus(Progress("Extracting video frame: %d / %d\n", number, count));
        const QImage frame = movie.ReadFrame();
        if (frame.isNull()) {
            hooks.showError(Progress("Unable to read video frame %d of %d: the movie is damaged.",
                                     number, count));
            end = EConversionEnd::Failed;
            break;
        }
        std::string failure =
            WriteFileSafely(FrameFileName(request.destination, number, false), ColourBmp(frame));
        if (failure.empty() && request.extractAlpha) {
            failure =
                WriteFileSafely(FrameFileName(request.destination, number, true), AlphaBmp(frame));
        }
        if (!failure.empty()) {
            hooks.showError(failure);
            end = EConversionEnd::Failed;
            break;
        }
        if (hooks.abortRequested()) {
            end = EConversionEnd::Aborted;
            break;
        }
    }
    hooks.showStatus("Done.");
    return end;
}

}  // namespace plexion
