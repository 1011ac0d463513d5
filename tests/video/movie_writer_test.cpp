// The movie writer's states and failures, the frame files' names and the
// BMP layout of AVI To Images.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame_bmp.h"
#include "frame_file_names.h"
#include "movie_writer.h"
#include "temp_dir.h"

namespace plexion::test {
namespace {

QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST(MovieWriter, CreateClampsTheRateAndCloseResets) {
    CTempDir dir;
    const std::string path = dir.File("old.avi");
    WriteFileBytes(path, {1, 2, 3});
    std::vector<std::string> messages;
    CMovieWriter movie([&](const std::string& m) { messages.push_back(m); },
                       [] { return std::optional(SCompressionOptions{}); });
    EXPECT_EQ(movie.State(), CMovieWriter::kClosed);
    movie.Create(path, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(movie.FramesPerSecond(), 1);
    EXPECT_EQ(movie.State(), CMovieWriter::kOpenOnNextFrame);
    EXPECT_EQ(movie.AddFrame(Solid(16, 8, qRgb(1, 2, 3))), 0);
    EXPECT_EQ(movie.State(), CMovieWriter::kWriting);
    movie.Close();
    EXPECT_EQ(movie.State(), CMovieWriter::kOpenOnNextFrame);
    EXPECT_EQ(movie.FramesPerSecond(), 25);
    EXPECT_EQ(movie.FileName(), "");
    EXPECT_GT(std::filesystem::file_size(path), 16u * 8u * 3u);
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(movie.AddFrame(Solid(16, 8, 0)), 0);
}

TEST(MovieWriter, CancelledCompressionLeavesNoMovie) {
    CTempDir dir;
    const std::string path = dir.File("cancelled.avi");
    std::vector<std::string> messages;
    CMovieWriter movie([&](const std::string& m) { messages.push_back(m); },
                       [] { return std::optional<SCompressionOptions>(); });
    movie.Create(path, 25);
    EXPECT_NE(movie.AddFrame(Solid(4, 4, 0)), 0);
    EXPECT_EQ(messages, std::vector<std::string>{"Error Occured While Rendering the Movie"});
    EXPECT_EQ(movie.State(), CMovieWriter::kOpenOnNextFrame);
    EXPECT_EQ(movie.FileName(), "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(MovieWriter, AnUnknownEncoderSaysWhichStepFailed) {
    CTempDir dir;
    std::vector<std::string> messages;
    CMovieWriter movie([&](const std::string& m) { messages.push_back(m); },
                       [] { return std::optional(SCompressionOptions{"no-such-codec", 0, 0}); });
    movie.Create(dir.File("odd.avi"), 25);
    EXPECT_NE(movie.AddFrame(Solid(7, 5, 0)), 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"Unable to Create Compressed Stream",
                                                  "Error Occured While Rendering the Movie"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(FrameFileName, NumbersHaveSixDigitsOrAsManyAsTheyNeed) {
    struct SCase {
        int number;
        bool alpha;
        const char* name;
    };
    for (const SCase& c : {SCase{1, false, "/v/frames_000001.bmp"},
                           SCase{42, true, "/v/frames_ALPHA000042.bmp"},
                           SCase{1234567, false, "/v/frames_1234567.bmp"},
                           SCase{1234567, true, "/v/frames_ALPHA1234567.bmp"}}) {
        EXPECT_EQ(FrameFileName("/v/frames.bmp", c.number, c.alpha), c.name);
    }
}

TEST(FrameBmp, ColourAndAlphaFilesAreBottomUpWithPaddedRows) {
    QImage frame(3, 2, QImage::Format_ARGB32);
    frame.fill(0);
    frame.setPixel(0, 0, qRgba(10, 20, 30, 40));
    frame.setPixel(2, 1, qRgba(50, 60, 70, 80));
    // The buffers held other files before: nothing of them may remain.
    std::vector<std::uint8_t> colour(2000, 0xAB);
    std::vector<std::uint8_t> alpha(500, 0xAB);
    FrameBmps(frame, colour, &alpha);
    ASSERT_EQ(colour.size(), 54u + 2u * 12u);
    EXPECT_EQ(colour[0], 'B');
    EXPECT_EQ(colour[1], 'M');
    EXPECT_EQ(colour[2], 78);
    EXPECT_EQ(std::vector<std::uint8_t>(colour.begin() + 3, colour.begin() + 10),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(colour[10], 54);
    EXPECT_EQ(colour[14], 40);
    EXPECT_EQ(colour[18], 3);
    EXPECT_EQ(colour[22], 2);
    EXPECT_EQ(colour[26], 1);
    EXPECT_EQ(colour[28], 24);
    // The first row in the file is the picture's bottom row.
    EXPECT_EQ(std::vector<std::uint8_t>(colour.begin() + 54, colour.begin() + 66),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 70, 60, 50, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(colour.begin() + 66, colour.end()),
              (std::vector<std::uint8_t>{30, 20, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    ASSERT_EQ(alpha.size(), 1078u + 2u * 4u);
    EXPECT_EQ(alpha[10] | alpha[11] << 8, 1078);
    EXPECT_EQ(alpha[28], 8);
    EXPECT_EQ(std::vector<std::uint8_t>(alpha.begin() + 54 + 200 * 4, alpha.begin() + 58 + 200 * 4),
              (std::vector<std::uint8_t>{200, 200, 200, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(alpha.begin() + 1078, alpha.end()),
              (std::vector<std::uint8_t>{0, 0, 80, 0, 40, 0, 0, 0}));
}

}  // namespace
}  // namespace plexion::test
