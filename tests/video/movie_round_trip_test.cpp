// Pictures through Images To AVI and back through AVI To Images, frames
// decoded with libavcodec and compared with the pictures stretched on black.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "image_codecs.h"
#include "movie_reader.h"
#include "temp_dir.h"
#include "video_conversions.h"

namespace plexion::test {
namespace {

struct CRecordingHooks {
    std::vector<std::string> statuses;
    std::vector<std::string> errors;
    int abortAfter = -1;  // frames before Escape is down
    SConversionHooks Hooks() {
        return {[this](const std::string& s) { statuses.push_back(s); },
                [this](const std::string& e) { errors.push_back(e); },
                [this] { return abortAfter >= 0 && --abortAfter <= 0; }};
    }
};

class MovieRoundTrip : public ::testing::Test {
protected:
    // A picture of two colours side by side, saved as PNG.
    std::string Picture(const std::string& name, int width, int height, QRgb left, QRgb right) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(left);
        QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, QColor(right));
        const std::string path = dir_.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return path;
    }
    static QImage Stretched(const std::string& path, int width, int height) {
        QImage frame(width, height, QImage::Format_RGB32);
        frame.fill(Qt::black);
        QPainter painter(&frame);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
        painter.drawImage(QRect(0, 0, width, height), DecodeImage(bytes));
        painter.end();
        return frame.convertToFormat(QImage::Format_ARGB32);
    }
    EConversionEnd Write(const SImagesToAviRequest& request, const std::string& codec,
                         CRecordingHooks& hooks) {
        return ImagesToAvi(
            request, [codec] { return std::optional(SCompressionOptions{codec, 0, 0}); },
            hooks.Hooks());
    }
    static std::vector<QImage> Frames(const std::string& path) {
        CMovieReader reader;
        EXPECT_EQ(reader.Open(path), "");
        std::vector<QImage> frames;
        for (QImage frame = reader.ReadFrame(); !frame.isNull(); frame = reader.ReadFrame()) {
            frames.push_back(frame);
        }
        EXPECT_EQ(static_cast<int>(frames.size()), reader.FrameCount());
        return frames;
    }
    CTempDir dir_;
};

TEST_F(MovieRoundTrip, LosslessCodecsGiveThePicturesStretchedOverBlack) {
    const std::vector<std::string> sources = {
        Picture("a.png", 10, 20, qRgb(200, 10, 10), qRgb(10, 200, 10)),
        Picture("b.png", 33, 7, qRgb(10, 10, 200), qRgb(250, 250, 0)),
        // The frame's own size, half of it translucent.
        Picture("c.png", 720, 576, qRgba(200, 100, 50, 128), qRgb(90, 80, 70))};
    for (const char* codec : {"rgb24", "rgba", "png", "ffv1", "utvideo"}) {
        SCOPED_TRACE(codec);
        SImagesToAviRequest request;
        request.sources = sources;
        request.destination = dir_.File(std::string(codec) + ".avi");
        CRecordingHooks hooks;
        EXPECT_EQ(Write(request, codec, hooks), EConversionEnd::Done);
        EXPECT_TRUE(hooks.errors.empty());
        EXPECT_EQ(hooks.statuses,
                  (std::vector<std::string>{"Adding video frame: 1 / 3\n",
                                            "Adding video frame: 2 / 3\n",
                                            "Adding video frame: 3 / 3\n", "Done."}));
        const std::vector<QImage> frames = Frames(request.destination);
        ASSERT_EQ(frames.size(), 3u);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i], Stretched(sources[i], 720, 576)) << "frame " << i + 1;
        }
        EXPECT_EQ(frames[1].pixel(100, 300), qRgb(10, 10, 200));
        EXPECT_EQ(frames[1].pixel(620, 300), qRgb(250, 250, 0));
    }
}

TEST_F(MovieRoundTrip, LossyCodecsStayClose) {
    SImagesToAviRequest request;
    request.sources = {Picture("a.png", 8, 8, qRgb(200, 60, 60), qRgb(60, 60, 200))};
    request.width = 64;
    request.height = 48;
    for (const char* codec : {"mjpeg", "mpeg4"}) {
        request.destination = dir_.File(std::string(codec) + ".avi");
        CRecordingHooks hooks;
        ASSERT_EQ(Write(request, codec, hooks), EConversionEnd::Done) << codec;
        const std::vector<QImage> frames = Frames(request.destination);
        ASSERT_EQ(frames.size(), 1u) << codec;
        const QRgb left = frames[0].pixel(8, 24);
        EXPECT_NEAR(qRed(left), 200, 12) << codec;
        EXPECT_NEAR(qBlue(left), 60, 12) << codec;
    }
}

TEST_F(MovieRoundTrip, AlphaComesBackInTheAlphaFiles) {
    const std::string movie = dir_.File("alpha.avi");
    {
        CMovieWriter writer([](const std::string& m) { FAIL() << m; },
                            [] { return std::optional(SCompressionOptions{"ffv1", 0, 0}); });
        writer.Create(movie, 25);
        QImage frame(6, 4, QImage::Format_ARGB32);
        frame.fill(qRgba(250, 100, 50, 64));
        ASSERT_EQ(writer.AddFrame(frame), 0);
        writer.Close();
    }
    CRecordingHooks hooks;
    const std::string destination = dir_.File("out/frames.bmp");
    std::filesystem::create_directory(dir_.File("out"));
    ASSERT_EQ(AviToImages({movie, true, destination}, hooks.Hooks()), EConversionEnd::Done);
    EXPECT_EQ(hooks.statuses, (std::vector<std::string>{"Extracting video frame: 1 / 1\n", "Done."}));
    const QImage colour(QString::fromStdString(dir_.File("out/frames_000001.bmp")));
    const QImage alpha(QString::fromStdString(dir_.File("out/frames_ALPHA000001.bmp")));
    ASSERT_FALSE(colour.isNull());
    ASSERT_FALSE(alpha.isNull());
    EXPECT_EQ(colour.pixel(5, 3), qRgb(250, 100, 50));
    EXPECT_EQ(alpha.pixel(5, 3), qRgb(64, 64, 64));
}

TEST_F(MovieRoundTrip, AnUndecodableImageLeavesItsFrameBlack) {
    WriteFileBytes(dir_.File("junk.png"), {'n', 'o', 't'});
    SImagesToAviRequest request;
    request.sources = {dir_.File("junk.png")};
    request.width = 16;
    request.height = 16;
    request.destination = dir_.File("black.avi");
    CRecordingHooks hooks;
    ASSERT_EQ(Write(request, "rgb24", hooks), EConversionEnd::Done);
    const std::vector<QImage> frames = Frames(request.destination);
    ASSERT_EQ(frames.size(), 1u);
    QImage black(16, 16, QImage::Format_ARGB32);
    black.fill(Qt::black);
    EXPECT_EQ(frames[0], black);
}

TEST_F(MovieRoundTrip, AMissingSourceStopsWithTheFramesBeforeIt) {
    SImagesToAviRequest request;
    request.sources = {Picture("a.png", 4, 4, qRgb(1, 1, 1), qRgb(2, 2, 2)),
                       dir_.File("missing.png"), dir_.File("a.png")};
    request.destination = dir_.File("stopped.avi");
    CRecordingHooks hooks;
    EXPECT_EQ(Write(request, "rgb24", hooks), EConversionEnd::Failed);
    ASSERT_EQ(hooks.errors.size(), 1u);
    EXPECT_NE(hooks.errors[0].find("missing.png"), std::string::npos);
    EXPECT_EQ(Frames(request.destination).size(), 1u);
}

TEST_F(MovieRoundTrip, EscapeBetweenFramesAbortsBothWays) {
    const std::string a = Picture("a.png", 4, 4, qRgb(1, 1, 1), qRgb(2, 2, 2));
    SImagesToAviRequest request;
    request.sources = {a, a, a, a};
    request.width = 8;
    request.height = 8;
    request.destination = dir_.File("aborted.avi");
    CRecordingHooks writing;
    writing.abortAfter = 2;
    EXPECT_EQ(Write(request, "rgb24", writing), EConversionEnd::Aborted);
    EXPECT_EQ(writing.statuses.back(), "Done.");
    EXPECT_EQ(Frames(request.destination).size(), 2u);

    CRecordingHooks reading;
    reading.abortAfter = 1;
    EXPECT_EQ(AviToImages({request.destination, false, dir_.File("f.bmp")}, reading.Hooks()),
              EConversionEnd::Aborted);
    EXPECT_TRUE(std::filesystem::exists(dir_.File("f_000001.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("f_000002.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("f_ALPHA000001.bmp")));
}

TEST_F(MovieRoundTrip, DamagedOrForeignInputWritesNothing) {
    SImagesToAviRequest request;
    request.sources = {Picture("a.png", 4, 4, qRgb(1, 1, 1), qRgb(2, 2, 2))};
    request.destination = dir_.File("good.avi");
    CRecordingHooks hooks;
    ASSERT_EQ(Write(request, "rgb24", hooks), EConversionEnd::Done);
    std::vector<std::uint8_t> damaged = ReadFileBytes(request.destination);
    damaged.resize(300);
    WriteFileBytes(dir_.File("cut.avi"), damaged);
    std::vector<std::uint8_t> huge = ReadFileBytes(request.destination);
    const std::string format = "strf";
    const auto strf = std::search(huge.begin(), huge.end(), format.begin(), format.end());
    ASSERT_NE(strf, huge.end());
    for (auto width = strf + 12; width != strf + 16; ++width) {
        *width = 0x7f;  // the frame width the stream claims
    }
    WriteFileBytes(dir_.File("huge.avi"), huge);
    for (const char* source : {"a.png", "cut.avi", "huge.avi", "nothing.avi"}) {
        std::filesystem::create_directory(dir_.File("out"));
        CRecordingHooks reading;
        EXPECT_EQ(AviToImages({dir_.File(source), true, dir_.File("out/f.bmp")}, reading.Hooks()),
                  EConversionEnd::Failed)
            << source;
        EXPECT_EQ(reading.errors.size(), 1u) << source;
        EXPECT_TRUE(std::filesystem::is_empty(dir_.File("out"))) << source;
        std::filesystem::remove_all(dir_.File("out"));
    }
}

}  // namespace
}  // namespace plexion::test
