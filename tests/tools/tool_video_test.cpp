// The video commands of the real plexion-tool binary, checked against what
// ffprobe and ffmpeg say of the movies and on movies ffmpeg itself wrote.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <sstream>

#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolVideo : public ::testing::Test {
protected:
    std::string Png(const std::string& name, int width, int height, QRgb colour) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(colour);
        const std::string path = dir_.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return path;
    }
    std::string Probe(const std::string& movie) {
        return RunShell("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                        "stream=codec_name,width,height,r_frame_rate,nb_read_frames -of csv=p=0 '" +
                        movie + "'")
            .out;
    }
    CTempDir dir_;
};

TEST_F(ToolVideo, ImagesToAviWritesWhatFfprobeReads) {
    const std::vector<std::string> pictures = {Png("a.png", 10, 20, qRgb(200, 0, 0)),
                                               Png("b.png", 40, 4, qRgb(0, 200, 0)),
                                               Png("c.png", 3, 3, qRgb(0, 0, 200))};
    struct SCase {
        std::vector<std::string> options;
        const char* probe;
    };
    for (const SCase& c :
         {SCase{{}, "rawvideo,720,576,25/1,3\n"},
          SCase{{"--codec", "ffv1", "--fps", "0", "--width", "64", "--height", "32"},
                "ffv1,64,32,1/1,3\n"},
          SCase{{"--codec", "mpeg4", "--quality", "3", "--fps", "30", "--width", "64"},
                "mpeg4,64,576,30/1,3\n"}}) {
        const std::string movie = dir_.File("movie.avi");
        std::vector<std::string> arguments = {"images-to-avi", movie};
        arguments.insert(arguments.end(), pictures.begin(), pictures.end());
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err,
                  "Adding video frame: 1 / 3\nAdding video frame: 2 / 3\n"
                  "Adding video frame: 3 / 3\nDone.\n");
        EXPECT_EQ(Probe(movie), c.probe);
    }
    const CToolRun frame = RunShell("ffmpeg -v error -i '" + dir_.File("movie.avi") +
                                    "' -f rawvideo -pix_fmt rgb24 - | od -An -tu1 -N3 -j 999");
    std::istringstream rgb(frame.out);
    int red = 0, green = 0, blue = 0;
    rgb >> red >> green >> blue;
    EXPECT_NEAR(red, 200, 6) << frame.out;
    EXPECT_NEAR(green + blue, 0, 6) << frame.out;
}

TEST_F(ToolVideo, AviToImagesReadsMoviesFfmpegWrote) {
    struct SCase {
        const char* encoding;
        bool alpha;
    };
    for (const SCase& c : {SCase{"-c:v png -pix_fmt rgba", true},
                           SCase{"-c:v ffv1 -pix_fmt bgra", true},
                           SCase{"-c:v mjpeg -q:v 2 -pix_fmt yuvj420p", false}}) {
        SCOPED_TRACE(c.encoding);
        const std::string movie = dir_.File("in.avi");
        ASSERT_EQ(RunShell(std::string("ffmpeg -v error -y -f lavfi -i "
                                       "'color=c=0x3366cc@0.5:s=32x16:r=5,format=rgba' "
                                       "-frames:v 4 ") +
                           c.encoding + " '" + movie + "'")
                      .exitCode,
                  0);
        const std::filesystem::path out = dir_.Path() / "out";
        std::filesystem::create_directory(out);
        const CToolRun run = RunTool({"avi-to-images", movie, (out / "shot.bmp").string()});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                                std::filesystem::directory_iterator()),
                  8);
        const QImage colour(QString::fromStdString((out / "shot_000004.bmp").string()));
        const QImage alpha(QString::fromStdString((out / "shot_ALPHA000004.bmp").string()));
        ASSERT_EQ(colour.size(), QSize(32, 16));
        EXPECT_NEAR(qBlue(colour.pixel(7, 7)), 0xcc, 4);
        EXPECT_NEAR(qRed(alpha.pixel(7, 7)), c.alpha ? 128 : 255, 2);
        std::filesystem::remove_all(out);
    }
}

TEST_F(ToolVideo, RefusalsAndFailures) {
    const std::string picture = Png("a.png", 4, 4, qRgb(1, 2, 3));
    struct SCase {
        std::vector<std::string> arguments;
        int exitCode;
        const char* says;
    };
    for (const SCase& c :
         {SCase{{"images-to-avi", dir_.File("m.avi"), picture, "--codec", "h265"}, 1, "h265"},
          SCase{{"images-to-avi", dir_.File("m.avi"), picture, "--codec", "ffv1", "--quality", "3"},
                1, "--quality"},
          SCase{{"images-to-avi", dir_.File("m.avi"), picture, "--width", "16385"}, 1, "--width"},
          SCase{{"images-to-avi", dir_.File("m.avi"), dir_.File("none.png")}, 2, "none.png"},
          SCase{{"avi-to-images", picture, dir_.File("f.bmp")}, 2, "a.png"}}) {
        const CToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("m.avi")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("f_000001.bmp")));
}

}  // namespace
}  // namespace plexion::test
