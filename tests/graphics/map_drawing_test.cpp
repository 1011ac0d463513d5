#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "archive_bytes.h"
#include "bitmap_item.h"
#include "map_cell_overlay.h"
#include "map_item.h"
#include "picture_fixtures.h"
#include "resource_container.h"

namespace plexion {
namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// Bitmaps 0 red and 1 green, 8 x 8 and solid; bitmap 2 a 4 x 4 blue picture.
// A 4 x 3 map of 8 x 8 cells.
class MapDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        AddPicture(8, kRed);
        AddPicture(8, kGreen);
        AddPicture(4, kBlue);
        map_ = document_.GetAt<CVKT_Map>(document_.New<CVKT_Map>("room"));
        map_->Clear();
        map_->SetSizeX(8);
        map_->SetSizeY(8);
        for (int i = 0; i < 4; ++i) {
            map_->InsertColumn(i);
        }
        for (int i = 0; i < 3; ++i) {
            map_->InsertLine(i);
        }
    }
    CVKT_Bitmap& AddPicture(int side, QRgb color) {
        auto* bitmap = document_.GetAt<CVKT_Bitmap>(document_.New<CVKT_Bitmap>("tile"));
        bitmap->TakeImage(test::PictureWithBox(side, side, QRect(0, 0, side, side), color));
        return *bitmap;
    }
    QImage Draw(int originX, int originY, int scrollX, int scrollY, QRect clip,
                QSize size = QSize(48, 40)) const {
        QImage target(size, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        map_->Draw(document_, painter, originX, originY, scrollX, scrollY, clip.left(), clip.top(),
                   clip.right() + 1, clip.bottom() + 1);
        return target;
    }
    QImage DrawAll() const { return Draw(0, 0, 0, 0, QRect(0, 0, 32, 24)); }
    static bool Empty(const QImage& image, QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (qAlpha(image.pixel(x, y)) != 0) {
                    return false;
                }
            }
        }
        return true;
    }

    CVKT_ResourceContainer document_;
    CVKT_Map* map_ = nullptr;
};

TEST_F(MapDrawing, EachCellShowsTheBitmapItNames) {
    map_->SetCell(1, 0, 1);
    map_->SetCell(3, 2, 1);
    const QImage drawn = DrawAll();
    EXPECT_EQ(drawn.pixel(0, 0), kRed);
    EXPECT_EQ(drawn.pixel(8, 0), kGreen);
    EXPECT_EQ(drawn.pixel(15, 7), kGreen);
    EXPECT_EQ(drawn.pixel(16, 0), kRed);
    EXPECT_EQ(drawn.pixel(24, 16), kGreen);
    EXPECT_EQ(drawn.pixel(31, 23), kGreen);
    EXPECT_TRUE(Empty(drawn, QRect(32, 0, 16, 40)));
    EXPECT_TRUE(Empty(drawn, QRect(0, 24, 48, 16)));
}

TEST_F(MapDrawing, AnOverlayShowsItsValuesUntilItIsWrittenIntoTheMap) {
    map_->SetCell(1, 0, 1);
    CMapCellOverlay overlay;
    overlay.Set(0, 0, 1);
    overlay.Set(1, 0, -1);
    overlay.Set(2, 2, 1);
    overlay.Set(7, 9, 1);  // off the map
    QImage drawn(48, 40, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        map_->Draw(document_, painter, 0, 0, 0, 0, 0, 0, 32, 24, &overlay);
    }
    EXPECT_EQ(drawn.pixel(0, 0), kGreen);
    EXPECT_TRUE(Empty(drawn, QRect(8, 0, 8, 8)));
    EXPECT_EQ(drawn.pixel(16, 16), kGreen);
    EXPECT_EQ(map_->GetCell(0, 0), 0);
    EXPECT_EQ(DrawAll().pixel(8, 0), kGreen);

    EXPECT_TRUE(overlay.ApplyTo(*map_));
    EXPECT_EQ(map_->GetCell(0, 0), 1);
    EXPECT_EQ(map_->GetCell(1, 0), -1);
    EXPECT_EQ(map_->GetCell(2, 2), 1);
    EXPECT_EQ(DrawAll(), drawn);
    EXPECT_FALSE(overlay.ApplyTo(*map_));
}

TEST_F(MapDrawing, CellsNamingNoBitmapDrawNothing) {
    map_->SetCell(0, 0, -1);
    map_->SetCell(1, 0, 3);
    map_->SetCell(2, 0, 32767);
    const QImage drawn = DrawAll();
    EXPECT_TRUE(Empty(drawn, QRect(0, 0, 24, 8)));
    EXPECT_EQ(drawn.pixel(24, 0), kRed);
}

TEST_F(MapDrawing, SmallerBitmapsAreScaledToTheCell) {
    map_->SetCell(0, 0, 2);
    const QImage drawn = DrawAll();
    EXPECT_EQ(drawn.pixel(0, 0), kBlue);
    EXPECT_EQ(drawn.pixel(7, 7), kBlue);
    EXPECT_EQ(drawn.pixel(8, 8), kRed);
}

TEST_F(MapDrawing, TheBitmapsOffsetsAreTakenOff) {
    CVKT_Bitmap* green = document_.GetAt<CVKT_Bitmap>(1);
    green->SetOffsetX(-3);
    green->SetOffsetY(5);
    map_->SetCell(0, 0, 1);
    EXPECT_EQ(DrawAll().pixel(0, 0), kGreen);
    EXPECT_EQ(DrawAll().pixel(7, 7), kGreen);
}

TEST_F(MapDrawing, OriginAndScrollMoveTheMap) {
    map_->SetCell(2, 1, 1);
    // Map point = view point + origin - scroll: the green cell (16, 8) shows
    // at (16 - 5 + 2, 8 - 3 + 1).
    const QImage drawn = Draw(5, 3, 2, 1, QRect(0, 0, 48, 40));
    EXPECT_EQ(drawn.pixel(13, 6), kGreen);
    EXPECT_EQ(drawn.pixel(20, 13), kGreen);
    EXPECT_EQ(drawn.pixel(12, 6), kRed);
    EXPECT_EQ(drawn.pixel(21, 13), kRed);
}

TEST_F(MapDrawing, OnlyCellsThatMeetTheClipRectangleAreDrawn) {
    // Pixels 9..17 across touch columns 1 and 2, 8..8 down line 1 only.
    const QImage drawn = Draw(0, 0, 0, 0, QRect(9, 8, 9, 1));
    EXPECT_EQ(drawn.pixel(8, 8), kRed);
    EXPECT_EQ(drawn.pixel(23, 15), kRed);
    EXPECT_TRUE(Empty(drawn, QRect(0, 0, 48, 8)));
    EXPECT_TRUE(Empty(drawn, QRect(0, 16, 48, 24)));
    EXPECT_TRUE(Empty(drawn, QRect(0, 8, 8, 8)));
    EXPECT_TRUE(Empty(drawn, QRect(24, 8, 24, 8)));
}

TEST_F(MapDrawing, AMapThatStartsInsideTheViewStillDraws) {
    // Scrolled so that the map's corner lies at (10, 6) in the view.
    const QImage drawn = Draw(0, 0, 10, 6, QRect(0, 0, 48, 40));
    EXPECT_TRUE(Empty(drawn, QRect(0, 0, 10, 40)));
    EXPECT_TRUE(Empty(drawn, QRect(0, 0, 48, 6)));
    EXPECT_EQ(drawn.pixel(10, 6), kRed);
    EXPECT_EQ(drawn.pixel(41, 29), kRed);
    EXPECT_TRUE(Empty(drawn, QRect(42, 0, 6, 40)));
}

TEST_F(MapDrawing, ClipRectanglesOffTheMapDrawNothing) {
    EXPECT_TRUE(Empty(Draw(0, 0, 0, 0, QRect(32, 0, 16, 40)), QRect(0, 0, 48, 40)));
    EXPECT_TRUE(Empty(Draw(0, 0, 0, 0, QRect(5, 5, 0, 0)), QRect(0, 0, 48, 40)));
}

TEST_F(MapDrawing, MapsOfOtherTypesOrWithoutCellsDrawNothing) {
    map_->SetType(1);
    EXPECT_TRUE(Empty(DrawAll(), QRect(0, 0, 48, 40)));
    map_->SetType(0);
    map_->RemoveLine(0);
    map_->RemoveLine(0);
    map_->RemoveLine(0);
    EXPECT_TRUE(Empty(DrawAll(), QRect(0, 0, 48, 40)));
}

TEST_F(MapDrawing, AMapWithAStoredCellSizeBelowOneDrawsNothing) {
    // Only a file can hold such a size: edits refuse it.
    CVKT_ResourceContainer loaded;
    loaded.LoadFromBytes(test::ArchiveBytes([](CArchive& a) {
        test::WriteDocumentHeader(a);
        test::WriteChunkHeader(a, "VKRMAP", 1);
        test::WriteItemHeader(a, "flat");
        // reserved, version, type, columns, lines, Size Y, Size X
        for (const std::int32_t field : {0, 1, 0, 2, 2, 8, 0}) {
            a.WriteInt32(field);
        }
        for (int cell = 0; cell < 4; ++cell) {
            a.WriteUInt16(0);
        }
    }));
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const CVKT_Map* flat = loaded.GetAt<CVKT_Map>(0);
    ASSERT_EQ(flat->SizeX(), 0);
    EXPECT_EQ(flat->ColumnAt(0), -1);
    QImage target(16, 16, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    flat->Draw(document_, painter, 0, 0, 0, 0, 0, 0, 16, 16);
    painter.end();
    EXPECT_TRUE(Empty(target, QRect(0, 0, 16, 16)));
}

}  // namespace
}  // namespace plexion
