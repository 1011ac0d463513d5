#include "video_conversions.h"

#include <QPainter>
#include <cstdio>

#include "byte_buffer.h"
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

// The picture stretched over the whole black frame; a picture the codecs
// cannot read leaves the frame black.
void DrawStretched(QImage& frame, const CVKT_ByteBuffer& file) {
    const QImage picture = DecodeImage({file.Data(), static_cast<std::size_t>(file.Size())});
    if (picture.size() == frame.size() &&
        picture.format() == QImage::Format_ARGB32_Premultiplied) {
        // Over black, a premultiplied pixel is its own result: one pass
        // instead of filling the frame and then blending over it.
        const int width = frame.width();
        const int height = frame.height();
        for (int y = 0; y < height; ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            auto* target = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < width; ++x) {
                target[x] = source[x] | 0xff000000u;
            }
        }
        return;
    }
    frame.fill(Qt::black);
    if (picture.isNull()) {
        return;
    }
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, frame.width(), frame.height()), picture);
}

// Each file replaces an older one of its name whole, but is not flushed on
// its own: hundreds of flushes would take far longer than the conversion.
std::string WriteFrameFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return WriteFileSafely(path, bytes, ExistingFile::Replace, Durability::WrittenBack);
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
    CVKT_ByteBuffer file;
    for (int number = 1; number <= count; ++number) {
        const std::string& source = request.sources[static_cast<std::size_t>(number - 1)];
        hooks.showStatus(Progress("Adding video frame: %d / %d\n", number, count));
        if (!file.LoadFromFile(source)) {
            hooks.showError("Unable to open the image file \"" + source +
                            "\"; the movie keeps the frames before it.");
            end = EConversionEnd::Failed;
            break;
        }
        DrawStretched(frame, file);
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
    std::vector<std::uint8_t> colour;
    std::vector<std::uint8_t> alpha;
    for (int number = 1; number <= count; ++number) {
        hooks.showStatus(Progress("Extracting video frame: %d / %d\n", number, count));
        const QImage frame = movie.ReadFrame();
        if (frame.isNull()) {
            hooks.showError(Progress("Unable to read video frame %d of %d: the movie is damaged.",
                                     number, count));
            end = EConversionEnd::Failed;
            break;
        }
        FrameBmps(frame, colour, request.extractAlpha ? &alpha : nullptr);
        std::string failure =
            WriteFrameFile(FrameFileName(request.destination, number, false), colour);
        if (failure.empty() && request.extractAlpha) {
            failure = WriteFrameFile(FrameFileName(request.destination, number, true), alpha);
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
