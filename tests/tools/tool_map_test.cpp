#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "mini_json.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolMaps : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    void Run(const std::vector<std::string>& arguments) {
        const CToolRun run = RunTool(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
    }
    CJson Map(int index) const { return ParseJson(RunTool({"dump", doc_}).out)["maps"][index]; }
    long long Cell(int column, int line) const {
        return Map(0)["cells"][static_cast<std::size_t>(column)][static_cast<std::size_t>(line)]
            .Integer();
    }
    void AddPicture(const std::string& name, int width, int height, QRgb color) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(color);
        const std::string path = dir_.File(name + ".png");
        ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        ASSERT_EQ(RunTool({"add-image", doc_, path}).exitCode, 0);
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolMaps, ANewMapIsTenByTenCellsOf32UnlessToldOtherwise) {
    Run({"add-map", doc_, "plain"});
    Run({"add-map", doc_, "room", "--columns", "3", "--lines", "2", "--size-x", "16", "--size-y",
         "8"});
    const CJson plain = Map(0);
    EXPECT_EQ(plain["type"].Integer(), 0);
    EXPECT_EQ(plain["columns"].Integer(), 10);
    EXPECT_EQ(plain["lines"].Integer(), 10);
    EXPECT_EQ(plain["size_x"].Integer(), 32);
    EXPECT_EQ(plain["size_y"].Integer(), 32);
    const CJson room = Map(1);
    EXPECT_EQ(room["columns"].Integer(), 3);
    EXPECT_EQ(room["lines"].Integer(), 2);
    EXPECT_EQ(room["size_x"].Integer(), 16);
    EXPECT_EQ(room["size_y"].Integer(), 8);
}

TEST_F(ToolMaps, CellSizesBelowOneAndImpossibleSizesAreRefused) {
    const auto before = ReadFileBytes(doc_);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"add-map", doc_, "m", "--size-x", "0"},
             {"add-map", doc_, "m", "--size-y", "-4"},
             {"add-map", doc_, "m", "--columns", "-1"},
             {"add-map", doc_, "m", "--columns", "100000", "--lines", "100000"},
         }) {
        const CToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.back();
        EXPECT_NE(run.err, "");
    }
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolMaps, SetCellsStoresSixteenBitValues) {
    Run({"add-map", doc_, "room", "--columns", "3", "--lines", "2"});
    Run({"set-cells", doc_, "room", "0,0=1", "2,1=-1", "1,0=65535", "1,1=32767"});
    EXPECT_EQ(Cell(0, 0), 1);
    EXPECT_EQ(Cell(2, 1), -1);
    EXPECT_EQ(Cell(1, 0), -1);
    EXPECT_EQ(Cell(1, 1), 32767);
    EXPECT_EQ(Cell(0, 1), 0);
}

TEST_F(ToolMaps, SetCellsIsAllOrNothing) {
    Run({"add-map", doc_, "room", "--columns", "3", "--lines", "2"});
    const auto before = ReadFileBytes(doc_);
    EXPECT_EQ(RunTool({"set-cells", doc_, "room", "0,0=5", "3,0=1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"set-cells", doc_, "room", "0,0=5", "0,2=1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"set-cells", doc_, "room", "0,0=5", "0,1=65536"}).exitCode, 1);
    EXPECT_EQ(RunTool({"set-cells", doc_, "room", "0,0=5", "0=1"}).exitCode, 1);
    EXPECT_EQ(RunTool({"set-cells", doc_, "hall", "0,0=5"}).exitCode, 4);
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolMaps, AReductionNeedsYesAndKeepsTheUpperLeftCells) {
    Run({"add-map", doc_, "room"});
    Run({"set-cells", doc_, "room", "0,0=7", "9,7=8", "9,9=9", "4,8=3"});
    const auto before = ReadFileBytes(doc_);
    const CToolRun refused = RunTool({"resize-map", doc_, "room", "12", "8"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Reducing the map size will result as a loss of a part of the map "
                               "data, do you really want to change the map size ?"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(doc_), before);
    Run({"resize-map", doc_, "room", "12", "8", "--yes"});
    const CJson map = Map(0);
    ASSERT_EQ(map["columns"].Integer(), 12);
    ASSERT_EQ(map["lines"].Integer(), 8);
    EXPECT_EQ(Cell(0, 0), 7);
    EXPECT_EQ(Cell(9, 7), 8);
    for (int line = 0; line < 8; ++line) {
        EXPECT_EQ(Cell(10, line), 0);
        EXPECT_EQ(Cell(11, line), 0);
    }
}

TEST_F(ToolMaps, GrowingOrKeepingTheSizeAsksNothing) {
    Run({"add-map", doc_, "room", "--columns", "2", "--lines", "2"});
    Run({"set-cells", doc_, "room", "1,1=4"});
    Run({"resize-map", doc_, "room", "2", "2"});
    Run({"resize-map", doc_, "room", "3", "4"});
    EXPECT_EQ(Cell(1, 1), 4);
    EXPECT_EQ(Cell(2, 3), 0);
    EXPECT_EQ(RunTool({"resize-map", doc_, "room", "-1", "4", "--yes"}).exitCode, 1);
    EXPECT_EQ(RunTool({"resize-map", doc_, "hall", "1", "1"}).exitCode, 4);
}

TEST_F(ToolMaps, RenderedMapsShowEachCellsBitmapScaledToTheCell) {
    AddPicture("red", 8, 8, qRgb(255, 0, 0));
    AddPicture("blue", 2, 2, qRgb(0, 0, 255));
    Run({"add-map", doc_, "room", "--columns", "3", "--lines", "2", "--size-x", "8", "--size-y",
         "8"});
    Run({"set-cells", doc_, "room", "0,0=1", "1,0=-1", "2,0=5", "2,1=1"});
    const std::string out = dir_.File("room.png");
    const CToolRun run = RunTool({"render-map", doc_, "room", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage drawn = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(drawn.size(), QSize(24, 16));
    EXPECT_EQ(drawn.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(drawn.pixel(7, 7), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(drawn.pixel(8, 0)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(20, 4)), 0);
    EXPECT_EQ(drawn.pixel(0, 8), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(15, 15), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(16, 8), qRgb(0, 0, 255));
    EXPECT_EQ(drawn.pixel(23, 15), qRgb(0, 0, 255));
}

TEST_F(ToolMaps, AMapWithoutCellsHasNothingToRender) {
    Run({"add-map", doc_, "none", "--columns", "0"});
    const CToolRun run = RunTool({"render-map", doc_, "none", "-o", dir_.File("none.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("nothing to draw"), std::string::npos);
}

// A picture of tiles of 8 x 6 pixels, `seeds` line by line: equal seeds
// make equal tiles. Some pixels are half transparent.
QImage TilePicture(const std::vector<std::vector<int>>& seeds, QSize size) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int seed = seeds[y / 6][x / 8];
            const int alpha = (x % 8 + y % 6) % 5 == 0 ? 128 : 255;
            picture.setPixel(x, y, qRgba(seed * 50, (x % 8) * 30, (y % 6) * 40, alpha));
        }
    }
    return picture;
}

class ToolSplit : public ToolMaps {
protected:
    // The picture "tiles" of the document, then its split with `extra`.
    CToolRun Split(const QImage& picture, const std::vector<std::string>& extra) {
        const std::string path = dir_.File("tiles.png");
        EXPECT_TRUE(picture.save(QString::fromStdString(path), "PNG"));
        EXPECT_EQ(RunTool({"add-image", doc_, path}).exitCode, 0);
        std::vector<std::string> arguments = {"split-to-map", doc_, "tiles"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunTool(arguments);
    }
    QImage Rendered(const std::vector<std::string>& command) {
        const std::string out = dir_.File("out.png");
        std::vector<std::string> arguments = command;
        arguments.insert(arguments.end(), {"-o", out});
        const CToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(ToolSplit, IdenticalTilesShareABitmapAndTheMapRendersAsThePicture) {
    const QImage picture = TilePicture({{1, 2, 3}, {4, 1, 5}}, QSize(24, 12));
    const CToolRun run = Split(picture, {"8", "6", "--map-id", "level"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "5 distinct tiles, map of 3 x 2 cells\n");
    const CJson dump = ParseJson(RunTool({"dump", doc_}).out);
    ASSERT_EQ(dump["bitmaps"].items.size(), 6U);
    EXPECT_EQ(dump["bitmaps"][1]["id"].text, "tiles_0");
    EXPECT_EQ(dump["bitmaps"][5]["id"].text, "tiles_4");
    const CJson map = Map(0);
    EXPECT_EQ(map["id"].text, "level");
    EXPECT_EQ(map["columns"].Integer(), 3);
    EXPECT_EQ(map["lines"].Integer(), 2);
    EXPECT_EQ(map["size_x"].Integer(), 8);
    EXPECT_EQ(map["size_y"].Integer(), 6);
    EXPECT_EQ(Cell(0, 0), 1);
    EXPECT_EQ(Cell(1, 1), 1);
    EXPECT_EQ(Cell(2, 1), 5);
    EXPECT_EQ(Rendered({"render-map", doc_, "level"}), Rendered({"export-image", doc_, "tiles"}));
}

TEST_F(ToolSplit, APictureNotAMultipleOfTheTileIsPaddedTransparent) {
    const QImage picture = TilePicture({{1, 2, 3}, {4, 5, 6}}, QSize(21, 10));
    const CToolRun run = Split(picture, {"8", "6"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "6 distinct tiles, map of 3 x 2 cells\n");
    const QImage rendered = Rendered({"render-map", doc_, "tiles"});
    ASSERT_EQ(rendered.size(), QSize(24, 12));
    EXPECT_EQ(rendered.copy(0, 0, 21, 10), Rendered({"export-image", doc_, "tiles"}));
    for (const QPoint p : {QPoint(21, 0), QPoint(23, 11), QPoint(0, 10), QPoint(20, 11)}) {
        EXPECT_EQ(qAlpha(rendered.pixel(p)), 0) << p.x() << "," << p.y();
    }
}

TEST_F(ToolSplit, RefusedSplitsLeaveTheDocumentAsItWas) {
    ASSERT_EQ(Split(TilePicture({{1}}, QSize(8, 6)), {"8", "6"}).exitCode, 0);
    // A file that is no picture makes a bitmap without one.
    const std::string junk = dir_.File("junk.png");
    std::ofstream(junk) << "not a picture";
    ASSERT_EQ(RunTool({"add-image", doc_, junk}).exitCode, 0);
    const auto before = ReadFileBytes(doc_);
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
    };
    for (const Case& c :
         {Case{{"tiles", "0", "6"}, 1}, Case{{"tiles", "8", "x"}, 1},
          Case{{"nothing", "8", "6"}, 4}, Case{{"tiles", "8"}, 1}, Case{{"junk", "8", "6"}, 1}}) {
        std::vector<std::string> arguments = {"split-to-map", doc_};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[0] << " " << c.arguments[1];
        EXPECT_NE(run.err, "");
    }
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

}  // namespace
}  // namespace plexion::test
