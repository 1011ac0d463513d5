#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "bitmap_item.h"
#include "document_fixtures.h"
#include "mini_json.h"
#include "picture_decoding.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "tool_runner.h"
#include "wmf_records.h"

namespace plexion::test {
namespace {

QImage BoxPicture() {
    QImage image(10, 8, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 2; y <= 4; ++y) {
        for (int x = 3; x <= 7; ++x) {
            image.setPixel(x, y, qRgba(255, 0, 0, 255));
        }
    }
    image.setPixel(4, 3, qRgba(0, 255, 0, 255));
    return image;
}

class ToolImages : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    std::string Picture(const std::string& name, const QImage& image, const char* format) {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), format)) << name;
        return path;
    }
    CJson Bitmap(int index) const {
        return ParseJson(RunTool({"dump", doc_}).out)["bitmaps"][index];
    }
    QImage Exported(const std::string& id) {
        const std::string out = dir_.File(id + "-out.png");
        EXPECT_EQ(RunTool({"export-image", doc_, id, "-o", out}).exitCode, 0);
        return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_ARGB32);
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolImages, EveryRasterFormatImportsWithItsRealSize) {
    const QImage opaque = BoxPicture().convertToFormat(QImage::Format_RGB32);
    const std::vector<std::string> files = {
        Picture("a.png", BoxPicture(), "PNG"), Picture("b.bmp", opaque, "BMP"),
        Picture("c.jpg", opaque, "JPEG"),      Picture("d.tif", BoxPicture(), "TIFF"),
        Picture("e.ico", BoxPicture(), "ICO"),
    };
    std::vector<std::string> arguments = {"add-image", doc_};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const CToolRun run = RunTool(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const CJson bitmaps = ParseJson(RunTool({"dump", doc_}).out)["bitmaps"];
    ASSERT_EQ(bitmaps.items.size(), files.size());
    const char* ids[] = {"a", "b", "c", "d", "e"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(bitmaps[i]["id"].text, ids[i]);
        EXPECT_EQ(bitmaps[i]["kind"].Integer(), 9);
        EXPECT_EQ(bitmaps[i]["width"].Number(), 10.0) << files[i];
        EXPECT_EQ(bitmaps[i]["height"].Number(), 8.0) << files[i];
        EXPECT_EQ(bitmaps[i]["source_size"].Integer(),
                  static_cast<std::int64_t>(ReadFileBytes(files[i]).size()));
    }
    EXPECT_EQ(Exported("a"), BoxPicture());
    EXPECT_EQ(Exported("d"), BoxPicture());
    EXPECT_EQ(Exported("b").pixel(4, 3), qRgba(0, 255, 0, 255));
}

TEST_F(ToolImages, UnreadableFilesAddNothingAndNonPicturesStayEmpty) {
    const std::string png = Picture("a.png", BoxPicture(), "PNG");
    const CToolRun missing = RunTool({"add-image", doc_, png, dir_.File("missing.png")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(ParseJson(RunTool({"dump", doc_}).out)["bitmaps"].items.size(), 0u);

    WriteFileBytes(dir_.File("notes.png"), {'h', 'e', 'l', 'l', 'o'});
    const CToolRun junk = RunTool({"add-image", doc_, dir_.File("notes.png")});
    EXPECT_EQ(junk.exitCode, 0);
    EXPECT_NE(junk.err.find("warning"), std::string::npos);
    EXPECT_EQ(Bitmap(0)["width"].Number(), 0.0);
    EXPECT_EQ(Bitmap(0)["source_size"].Integer(), 5);
    EXPECT_EQ(RunTool({"export-image", doc_, "notes", "-o", dir_.File("x.png")}).exitCode, 2);
    EXPECT_EQ(RunTool({"export-image", doc_, "nobody", "-o", dir_.File("x.png")}).exitCode, 4);
}

TEST_F(ToolImages, CropKeepsTheVisibleBoxWhereItWasDrawn) {
    ASSERT_EQ(RunTool({"add-image", doc_, Picture("hero.png", BoxPicture(), "PNG")}).exitCode, 0);
    ASSERT_EQ(RunTool({"crop", doc_}).exitCode, 0);
    const CJson bitmap = Bitmap(0);
    EXPECT_EQ(bitmap["width"].Number(), 5.0);
    EXPECT_EQ(bitmap["height"].Number(), 3.0);
    EXPECT_EQ(bitmap["offset_x"].Number(), 3.0);
    EXPECT_EQ(bitmap["offset_y"].Number(), 2.0);
    EXPECT_NE(bitmap["source"].text.find("hero.png"), std::string::npos);
    const QImage cropped = Exported("hero");
    EXPECT_EQ(cropped.size(), QSize(5, 3));
    EXPECT_EQ(cropped.pixel(1, 1), qRgba(0, 255, 0, 255));
    EXPECT_EQ(RunTool({"crop", doc_, "hero", "ghost"}).exitCode, 4);
}

TEST_F(ToolImages, SetAlphaThenCropsAndChangeColorReplaces) {
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 255, 255, 255));
    picture.setPixel(3, 1, qRgba(200, 0, 0, 255));
    ASSERT_EQ(RunTool({"add-image", doc_, Picture("p.png", picture, "PNG")}).exitCode, 0);
    ASSERT_EQ(RunTool({"set-alpha", doc_, "ffffff", "p"}).exitCode, 0);
    EXPECT_EQ(Bitmap(0)["width"].Number(), 1.0);
    EXPECT_EQ(Bitmap(0)["offset_x"].Number(), 3.0);
    ASSERT_EQ(RunTool({"change-color", doc_, "FF0000", "0000FF"}).exitCode, 0);
    EXPECT_EQ(Exported("p").pixel(0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(RunTool({"set-alpha", doc_, "red"}).exitCode, 1);
}

TEST_F(ToolImages, ReloadKeepsIdentityAndAFailedReloadChangesNothing) {
    ASSERT_EQ(RunTool({"add-image", doc_, Picture("hero.png", BoxPicture(), "PNG")}).exitCode, 0);
    ASSERT_EQ(RunTool({"crop", doc_}).exitCode, 0);
    const std::vector<std::uint8_t> before = ReadFileBytes(doc_);
    EXPECT_EQ(RunTool({"reload-image", doc_, "hero", dir_.File("missing.png")}).exitCode, 2);
    EXPECT_EQ(ReadFileBytes(doc_), before);
    QImage bigger(20, 20, QImage::Format_ARGB32);
    bigger.fill(qRgba(1, 2, 3, 255));
    ASSERT_EQ(RunTool({"reload-image", doc_, "hero", Picture("new.png", bigger, "PNG")}).exitCode,
              0);
    const CJson bitmap = Bitmap(0);
    EXPECT_EQ(bitmap["id"].text, "hero");
    EXPECT_EQ(bitmap["width"].Number(), 20.0);
    EXPECT_EQ(bitmap["offset_x"].Number(), 3.0);
    EXPECT_NE(bitmap["source"].text.find("new.png"), std::string::npos);
}

TEST_F(ToolImages, APictureOfTheLargestUsualAtlasSizeRoundTrips) {
    QImage atlas(8192, 8192, QImage::Format_ARGB32);
    for (int y = 0; y < atlas.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(atlas.scanLine(y));
        for (int x = 0; x < atlas.width(); ++x) {
            line[x] = qRgba(x & 0xFF, y & 0xFF, (x >> 8) ^ (y >> 8), 255);
        }
    }
    const CToolRun added = RunTool({"add-image", doc_, Picture("atlas.png", atlas, "PNG")});
    ASSERT_EQ(added.exitCode, 0);
    // Qt's own complaints never reach the tool's error output.
    EXPECT_EQ(added.err, "");
    EXPECT_EQ(Exported("atlas"), atlas);
}

TEST_F(ToolImages, AMetafileAskingForEndlessFloodFillsIsRefusedAsDamaged) {
    CWmfBuilder wmf;
    wmf.Window(8000, 8000);
    wmf.Select(wmf.SolidBrush(qRgb(0, 128, 0)));
    for (int fill = 0; fill < 100; ++fill) {
        wmf.FloodFill(QPoint(fill, fill), qRgb(0, 0, 0));
    }
    const std::string path = dir_.File("floods.wmf");
    WriteFileBytes(path, wmf.Placeable(8000, 8000, 96));
    const CToolRun run = RunTool({"add-image", doc_, path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("is damaged: it asks for more drawing than a picture may take"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ParseJson(RunTool({"dump", doc_}).out)["bitmaps"].items.size(), 0u);
}

TEST_F(ToolImages, CommandsThatDrawNothingLeaveStoredPicturesAsTheyWere) {
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(BoxPicture().save(&png, "PNG"));
    const QByteArray& encoded = png.data();
    AppendImageBitmaps(doc_, {{"box", "box.png",
                               std::vector<std::uint8_t>(encoded.begin(), encoded.end()), 7, 9}});
    ASSERT_EQ(RunTool({"add-text", doc_, "hero", "Ann"}).exitCode, 0);
    EXPECT_EQ(RunTool({"check", doc_, "--pixels"}).out, "OK\n");
    SetStoredPictureDecoding(EStoredPictureDecoding::WhenAsked);
    CVKT_ResourceContainer stored;
    stored.Load(doc_);
    SetStoredPictureDecoding(EStoredPictureDecoding::OnLoad);
    EXPECT_EQ(stored.GetAt<CVKT_Bitmap>(0)->DisplayWidth(), 7.0);
    EXPECT_EQ(stored.GetAt<CVKT_Bitmap>(0)->DisplayHeight(), 9.0);
    // Drawing commands see the picture itself.
    EXPECT_EQ(Bitmap(0)["width"].Number(), 10.0);

    WriteFileBytes(dir_.File("junk.png"), {'n', 'o'});
    ASSERT_EQ(RunTool({"add-image", doc_, dir_.File("junk.png")}).exitCode, 0);
    const CToolRun check = RunTool({"check", doc_, "--pixels"});
    EXPECT_EQ(check.exitCode, 2);
    EXPECT_NE(check.err.find("bitmap 1 \"junk\" is not a picture the codecs can read"),
              std::string::npos)
        << check.err;
}

}  // namespace
}  // namespace plexion::test
