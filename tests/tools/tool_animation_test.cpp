#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "mini_json.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

QImage Solid(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

class ToolAnimations : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    void AddAnimation(const std::string& id, const std::string& mode, const std::string& frames) {
        const CToolRun run =
            RunTool({"add-animation", doc_, id, "--mode", mode, "--frames", frames});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    }
    std::string Played(const std::string& id, int steps) {
        const CToolRun run =
            RunTool({"play-animation", doc_, id, "--steps", std::to_string(steps)});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }
    void AddPicture(const std::string& name, const QImage& image) {
        const std::string path = dir_.File(name + ".png");
        ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        ASSERT_EQ(RunTool({"add-image", doc_, path}).exitCode, 0);
    }
    QImage Rendered(const std::string& folder, int frame) const {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", frame);
        return QImage(QString::fromStdString(dir_.File(folder) + "/" + name))
            .convertToFormat(QImage::Format_ARGB32);
    }

    CTempDir dir_;
    std::string doc_;
};

struct CModeRun {
    const char* mode;
    int steps;
    const char* printed;
};

// Three frames showing bitmaps 10, 11 and 12, one game step each.
TEST_F(ToolAnimations, EveryPlayModePrintsItsFramesAndBitmaps) {
    const CModeRun runs[] = {
        {"0", 5, "0 10\n1 11\n2 12\n2 12 stopped\n2 12 stopped\n"},
        {"1", 5, "0 10\n1 11\n2 12\n0 10\n1 11\n"},
        {"2", 6, "0 10\n1 11\n2 12\n1 11\n0 10\n0 10 stopped\n"},
        {"3", 7, "0 10\n1 11\n2 12\n1 11\n0 10\n1 11\n2 12\n"},
        {"4", 4, "2 12\n1 11\n0 10\n0 10 stopped\n"},
        {"5", 5, "2 12\n1 11\n0 10\n2 12\n1 11\n"},
        {"6", 6, "2 12\n1 11\n0 10\n1 11\n2 12\n2 12 stopped\n"},
        {"7", 7, "2 12\n1 11\n0 10\n1 11\n2 12\n1 11\n0 10\n"},
    };
    for (const CModeRun& run : runs) {
        const std::string id = std::string("mode ") + run.mode;
        AddAnimation(id, run.mode, "10:1:0:0,11:1:0:0,12:1:0:0");
        EXPECT_EQ(Played(id, run.steps), run.printed) << id;
    }
}

TEST_F(ToolAnimations, DelaysHoldFramesForTheirGameSteps) {
    AddAnimation("walk", "0", "4:2:0:0,5:1:0:0,6:3:0:0");
    EXPECT_EQ(Played("walk", 7), "0 4\n0 4\n1 5\n2 6\n2 6\n2 6\n2 6 stopped\n");
}

TEST_F(ToolAnimations, DelaysBelowOneCountAsOneStep) {
    AddAnimation("blink", "1", "1:0:0:0,2:-5:0:0");
    EXPECT_EQ(Played("blink", 4), "0 1\n1 2\n0 1\n1 2\n");
}

TEST_F(ToolAnimations, OneFrameShowsForItsDelayAndNoFramesStopAtOnce) {
    AddAnimation("still", "1", "3:2:0:0");
    AddAnimation("empty", "1", "");
    EXPECT_EQ(Played("still", 3), "0 3\n0 3\n0 3 stopped\n");
    EXPECT_EQ(Played("empty", 2), "0 -1 stopped\n0 -1 stopped\n");
    EXPECT_EQ(Played("empty", 0), "");
}

TEST_F(ToolAnimations, TheAnimationIsStoredAsGiven) {
    AddAnimation("jump", "7", "3:4:-5:6,0:1:0:0");
    ASSERT_EQ(RunTool({"add-animation", doc_, "plain"}).exitCode, 0);
    const CJson animations = ParseJson(RunTool({"dump", doc_}).out)["animations"];
    EXPECT_EQ(animations[0]["id"].text, "jump");
    EXPECT_EQ(animations[0]["type"].Integer(), 1);
    EXPECT_EQ(animations[0]["play_mode"].Integer(), 7);
    ASSERT_EQ(animations[0]["frames"].items.size(), 2u);
    EXPECT_EQ(animations[0]["frames"][0][2].Integer(), -5);
    EXPECT_EQ(animations[0]["frames"][0][3].Integer(), 6);
    EXPECT_EQ(animations[0]["frames"][1][0].Integer(), 0);
    EXPECT_EQ(animations[1]["play_mode"].Integer(), 1);
    EXPECT_EQ(animations[1]["frames"].items.size(), 0u);
}

TEST_F(ToolAnimations, SetFramesReplacesTheFramesThatFramesPrints) {
    AddAnimation("jump", "6", "3:4:-5:6");
    const CToolRun set = RunTool({"set-frames", doc_, "jump", "--frames", "1:2:3:-4,0:7:0:0"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out + set.err, "");
    const CToolRun printed = RunTool({"frames", doc_, "jump"});
    EXPECT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_EQ(printed.out, "0 1 2 3 -4\n1 0 7 0 0\n");
    EXPECT_EQ(ParseJson(RunTool({"dump", doc_}).out)["animations"][0]["play_mode"].Integer(), 6);
    ASSERT_EQ(RunTool({"set-frames", doc_, "jump", "--frames", ""}).exitCode, 0);
    EXPECT_EQ(RunTool({"frames", doc_, "jump"}).out, "");
}

TEST_F(ToolAnimations, BadArgumentsChangeNothing) {
    const auto before = ReadFileBytes(doc_);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"add-animation", doc_, "a", "--mode", "8"},
             {"add-animation", doc_, "a", "--mode", "-1"},
             {"add-animation", doc_, "a", "--frames", "1:2:3"},
             {"add-animation", doc_, "a", "--frames", "1:2:3:x"},
             {"add-animation", doc_, "a", "--frames", "1:1:0:0,"},
             {"play-animation", doc_, "a"},
             {"set-frames", doc_, "a"},
             {"set-frames", doc_, "a", "--frames", "1:2"},
             {"play-animation", doc_, "a", "--steps", "-2"},
         }) {
        EXPECT_EQ(RunTool(arguments).exitCode, 1) << arguments[0] << " " << arguments.back();
    }
    EXPECT_EQ(ReadFileBytes(doc_), before);
    EXPECT_EQ(RunTool({"play-animation", doc_, "nobody", "--steps", "1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"render-animation", doc_, "nobody", "-o", dir_.File("o")}).exitCode, 4);
    EXPECT_EQ(RunTool({"set-frames", doc_, "nobody", "--frames", "0:1:0:0"}).exitCode, 4);
    EXPECT_EQ(RunTool({"frames", doc_, "nobody"}).exitCode, 4);
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolAnimations, RenderedFramesShareOneCanvasWithTheirOffsets) {
    AddPicture("red", Solid(4, 3, qRgb(255, 0, 0)));
    AddPicture("blue", Solid(2, 2, qRgb(0, 0, 255)));
    // Frame 1 sits 5 right and 3 up of frame 0; frame 2 names no bitmap.
    AddAnimation("hop", "4", "0:1:0:0,1:1:5:-3,7:1:0:0");
    const CToolRun run = RunTool({"render-animation", doc_, "hop", "-o", dir_.File("frames")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage first = Rendered("frames", 0);
    const QImage second = Rendered("frames", 1);
    const QImage third = Rendered("frames", 2);
    // The canvas spans x 0..6 and y -3..2.
    ASSERT_EQ(first.size(), QSize(7, 6));
    ASSERT_EQ(second.size(), QSize(7, 6));
    ASSERT_EQ(third.size(), QSize(7, 6));
    EXPECT_EQ(first.pixel(0, 3), qRgb(255, 0, 0));
    EXPECT_EQ(first.pixel(3, 5), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(first.pixel(4, 3)), 0);
    EXPECT_EQ(qAlpha(first.pixel(0, 2)), 0);
    EXPECT_EQ(second.pixel(5, 0), qRgb(0, 0, 255));
    EXPECT_EQ(second.pixel(6, 1), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(second.pixel(0, 3)), 0);
    for (int y = 0; y < third.height(); ++y) {
        for (int x = 0; x < third.width(); ++x) {
            EXPECT_EQ(qAlpha(third.pixel(x, y)), 0);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("frames") + "/frame_0003.png"));
}

// Frames and cells that name a bitmap the document lacks leave the file
// whole: check warns once per item and still says OK, a strict check fails.
TEST_F(ToolAnimations, CheckWarnsOfFramesAndCellsNamingMissingBitmaps) {
    AddPicture("only", Solid(2, 2, qRgb(1, 2, 3)));
    AddAnimation("fine", "0", "0:1:0:0");
    ASSERT_EQ(RunTool({"check", doc_, "--strict"}).exitCode, 0);

    AddAnimation("walk", "0", "0:1:0:0,4:2:0:0,7:1:0:0");

    ASSERT_EQ(RunTool({"add-map", doc_, "room", "--columns", "3", "--lines", "2"}).exitCode, 0);
    ASSERT_EQ(RunTool({"set-cells", doc_, "room", "0,0=0", "2,1=9", "1,0=-1"}).exitCode, 0);
    const std::string expected =
        "warning: The animation \"walk\" (index 1): frame 1 shows bitmap 4, but there is no "
        "bitmap with that index. (1 more in this item)\n"
        "warning: The map \"room\" (index 0): the cell at column 2, line 1 shows bitmap 9, but "
        "there is no bitmap with that index.\n"
        "OK\n";
    const CToolRun check = RunTool({"check", doc_});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.out, expected);
    const CToolRun strict = RunTool({"check", doc_, "--strict"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_EQ(strict.out, expected);
}

}  // namespace
}  // namespace plexion::test
