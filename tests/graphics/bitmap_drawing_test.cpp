#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "bitmap_item.h"
#include "picture_fixtures.h"

namespace plexion {
namespace {

std::unique_ptr<CVKT_Bitmap> Buffer(int width, int height) {
    auto buffer = std::make_unique<CVKT_Bitmap>();
    EXPECT_TRUE(buffer->CreateBlank(4, width, height));
    return buffer;
}

TEST(BitmapDrawing, PicturesDrawAtTheirPositionPlusOffsets) {
    CVKT_Bitmap sprite;
    sprite.TakeImage(test::PictureWithBox(2, 2, QRect(0, 0, 2, 2), qRgb(0, 255, 0)));
    sprite.SetOffsetX(3.9);
    sprite.SetOffsetY(1);
    auto buffer = Buffer(10, 10);
    ASSERT_TRUE(sprite.DrawOnto(*buffer, 2, 2));
    EXPECT_EQ(buffer->GetPixel(5, 3), MakeColor(0, 255, 0));
    EXPECT_EQ(buffer->GetPixel(6, 4), MakeColor(0, 255, 0));
    EXPECT_EQ(buffer->GetPixel(4, 3), MakeColor(0, 0, 0));
    EXPECT_EQ(buffer->GetPixel(7, 3), MakeColor(0, 0, 0));
}

TEST(BitmapDrawing, OffsetsThatAreNoNumberOrFarAwayDrawHarmlessly) {
    CVKT_Bitmap sprite;
    sprite.TakeImage(test::PictureWithBox(2, 2, QRect(0, 0, 2, 2), qRgb(0, 255, 0)));
    auto buffer = Buffer(4, 4);
    sprite.SetOffsetX(std::nan(""));
    EXPECT_TRUE(sprite.DrawOnto(*buffer, 1, 1));
    EXPECT_EQ(buffer->GetPixel(0, 1), MakeColor(0, 255, 0));
    sprite.SetOffsetX(1e300);
    EXPECT_TRUE(sprite.DrawOnto(*buffer, 0, 3));
    EXPECT_EQ(buffer->GetPixel(0, 3), MakeColor(0, 0, 0));
}

TEST(BitmapDrawing, TransparentPixelsLeaveTheTargetAlone) {
    CVKT_Bitmap sprite;
    sprite.TakeImage(test::PictureWithBox(4, 4, QRect(1, 1, 1, 1), qRgb(255, 255, 255)));
    auto buffer = Buffer(4, 4);
    buffer->FillOpaque(MakeColor(10, 20, 30));
    sprite.DrawOnto(*buffer, 0, 0);
    EXPECT_EQ(buffer->GetPixel(1, 1), MakeColor(255, 255, 255));
    EXPECT_EQ(buffer->GetPixel(0, 0), MakeColor(10, 20, 30));
}

TEST(BitmapDrawing, ScaledDrawingStretchesPicturesOnly) {
    CVKT_Bitmap sprite;
    sprite.TakeImage(test::PictureWithBox(2, 2, QRect(0, 0, 2, 2), qRgb(255, 0, 0)));
    auto buffer = Buffer(10, 10);
    {
        CBitmapPainter painter = buffer->GetDrawingContext();
        ASSERT_TRUE(painter);
        EXPECT_TRUE(sprite.DrawScaled(*painter, 1, 1, 6, 6));
    }
    EXPECT_EQ(buffer->GetPixel(6, 6), MakeColor(255, 0, 0));
    EXPECT_EQ(buffer->GetPixel(7, 7), MakeColor(0, 0, 0));
}

TEST(BitmapDrawing, RegionsFillWithDialogTextAtHalfAlpha) {
    CVKT_Bitmap region;
    region.SetRegion(QRegion(2, 2, 3, 3));
    EXPECT_TRUE(region.PointInRegion(2, 2));
    EXPECT_FALSE(region.PointInRegion(5, 5));
    EXPECT_EQ(region.StorageWidth(), 3.0);
    EXPECT_EQ(region.BitsPerPixel(), 1);
    EXPECT_EQ(region.UsedGameMemory(), 32 + 16);
    auto buffer = Buffer(8, 8);
    ASSERT_TRUE(region.DrawOnto(*buffer, 1, 0));
    const ColorRef inside = buffer->GetPixel(3, 2);
    EXPECT_NEAR(RedOf(inside), 128, 1);
    EXPECT_EQ(buffer->GetPixel(2, 2), MakeColor(0, 0, 0));
    EXPECT_EQ(buffer->GetPixel(3, 5), MakeColor(0, 0, 0));

    // The editor gives another dialog text colour; only its red is seen here.
    CVKT_Bitmap::SetRegionColor(MakeColor(255, 0, 0));
    auto red = Buffer(8, 8);
    ASSERT_TRUE(region.DrawOnto(*red, 1, 0));
    CVKT_Bitmap::SetRegionColor(MakeColor(255, 255, 255));
    EXPECT_NEAR(RedOf(red->GetPixel(3, 2)), 128, 1);
    EXPECT_EQ(GreenOf(red->GetPixel(3, 2)), 0);
}

TEST(BitmapDrawing, KindsWithoutPixelsDrawNothing) {
    CVKT_Bitmap empty;
    auto buffer = Buffer(2, 2);
    EXPECT_FALSE(empty.DrawOnto(*buffer, 0, 0));
    CVKT_Bitmap map;
    map.CreateStorage(7);
    EXPECT_FALSE(map.DrawOnto(*buffer, 0, 0));
    EXPECT_FALSE(buffer->DrawOnto(empty, 0, 0));
}

TEST(BitmapDrawing, FillsAndPixels) {
    auto buffer = Buffer(3, 3);
    EXPECT_TRUE(buffer->FillOpaque(MakeColor(200, 100, 0)));
    EXPECT_EQ(buffer->GetPixel(2, 2), MakeColor(200, 100, 0));
    EXPECT_TRUE(buffer->Fill(MakeColor(0, 0, 0), 0.5));
    EXPECT_NEAR(RedOf(buffer->GetPixel(0, 0)), 100, 1);
    EXPECT_TRUE(buffer->SetPixel(1, 1, MakeColor(1, 2, 3)));
    EXPECT_EQ(buffer->GetPixel(1, 1), MakeColor(1, 2, 3));
    EXPECT_FALSE(buffer->SetPixel(3, 0, 0));
    EXPECT_EQ(buffer->GetPixel(-1, 0), CVKT_Bitmap::kInvalidColor);

    CVKT_Bitmap palettized;
    ASSERT_TRUE(palettized.CreateBlank(2, 5, 2));
    EXPECT_TRUE(palettized.SetPixel(4, 1, MakeColor(255, 0, 0)));
    EXPECT_EQ(palettized.GetPixel(4, 1), MakeColor(255, 0, 0));
    EXPECT_TRUE(palettized.FillOpaque(MakeColor(0, 51, 102)));
    EXPECT_EQ(palettized.GetPixel(0, 0), MakeColor(0, 51, 102));

    CVKT_Bitmap region;
    region.SetRegion(QRegion(0, 0, 2, 2));
    EXPECT_FALSE(region.Fill(0, 1.0));
    EXPECT_EQ(region.GetPixel(0, 0), CVKT_Bitmap::kInvalidColor);
}

}  // namespace
}  // namespace plexion
