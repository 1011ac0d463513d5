#include <gtest/gtest.h>

#include "bitmap_item.h"
#include "map_item.h"
#include "picture_fixtures.h"

namespace plexion {
namespace {

TEST(BitmapStorage, KindsAndNames) {
    CVKT_Bitmap bitmap;
    EXPECT_EQ(bitmap.GetKind(), 0);
    EXPECT_EQ(bitmap.UsedGameMemory(), 0);
    EXPECT_EQ(bitmap.StorageWidth(), 0.0);
    EXPECT_EQ(bitmap.SourceBytes().size(), 0u);
    EXPECT_EQ(CVKT_Bitmap::KindName(15), "DirectX (Reserved)");
    EXPECT_EQ(CVKT_Bitmap::KindName(24), "Unknown");
    EXPECT_EQ(CVKT_Bitmap::KindName(-1), "Unknown");
    EXPECT_EQ(CVKT_Bitmap::KindCount(), 24);
    EXPECT_TRUE(CVKT_Bitmap::IsReferenceKind(9));
    EXPECT_FALSE(CVKT_Bitmap::IsReferenceKind(4));
    EXPECT_EQ(bitmap.LinkValue(1), -1);
    bitmap.SetLinkValue(0, 7);
    EXPECT_EQ(bitmap.LinkValue(0), 7);
}

TEST(BitmapStorage, NameOnlyKindsCannotBeCreated) {
    CVKT_Bitmap bitmap;
    for (int kind : {5, 8, 10, 12, 19, 23, 24, -1}) {
        EXPECT_FALSE(bitmap.CreateStorage(kind)) << kind;
        EXPECT_EQ(bitmap.GetKind(), 0);
    }
    EXPECT_TRUE(bitmap.CreateStorage(7));
    ASSERT_NE(bitmap.Map(), nullptr);
    EXPECT_EQ(bitmap.Map()->Columns(), 10);
}

TEST(BitmapStorage, BlankStoragesHaveTheirSizesAndFormats) {
    CVKT_Bitmap bitmap;
    EXPECT_TRUE(bitmap.CreateBlank(20, 30, 0));
    EXPECT_EQ(bitmap.GetKind(), 4);
    EXPECT_EQ(bitmap.StorageWidth(), 30.0);
    EXPECT_EQ(bitmap.StorageHeight(), 1.0);
    EXPECT_TRUE(bitmap.CreateBlank(2, 13, 5));
    EXPECT_EQ(bitmap.StorageWidth(), 13.0);
    EXPECT_EQ(bitmap.Image()->width(), 16);
    EXPECT_EQ(bitmap.Image()->format(), QImage::Format_Indexed8);
    EXPECT_EQ(bitmap.Image()->colorCount(), 256);
    EXPECT_TRUE(bitmap.CreateBlank(3, 5, 5));
    EXPECT_EQ(bitmap.Image()->format(), QImage::Format_RGB555);
    EXPECT_FALSE(bitmap.CreateBlank(9, 5, 5));
    EXPECT_EQ(bitmap.GetKind(), 0);
    QImage window(1, 1, QImage::Format_RGB32);
    EXPECT_TRUE(bitmap.CreateBlank(9, 100, 50, &window));
    EXPECT_EQ(bitmap.GetKind(), 9);
    EXPECT_EQ(bitmap.DisplayWidth(), 100.0);
    EXPECT_EQ(bitmap.UsedGameMemory(), 20000);
    EXPECT_EQ(bitmap.BitsPerPixel(), 32);
    EXPECT_EQ(bitmap.Specifications(), "32 Bits, 1 Frames");
    EXPECT_FALSE(bitmap.CreateBlank(4, 1 << 20, 1 << 20));
    EXPECT_EQ(bitmap.GetKind(), 0);
}

TEST(BitmapStorage, ResetKeepsOffsetsAndDropsEverythingElse) {
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(QImage(4, 4, QImage::Format_ARGB32));
    bitmap.SetOffsetX(3);
    bitmap.SetOffsetY(-2);
    bitmap.SetSourceBytes({1, 2, 3});
    bitmap.SetSourceFileName("a.png");
    bitmap.Reset();
    EXPECT_EQ(bitmap.GetKind(), 0);
    EXPECT_EQ(bitmap.DisplayWidth(), 0.0);
    EXPECT_TRUE(bitmap.SourceBytes().empty());
    EXPECT_TRUE(bitmap.SourceFileName().empty());
    EXPECT_EQ(bitmap.OffsetX(), 3.0);
    EXPECT_EQ(bitmap.OffsetY(), -2.0);
}

TEST(BitmapStorage, TakeImageCopiesWithoutTouchingTheSource) {
    CVKT_Bitmap bitmap;
    bitmap.SetSourceBytes({9});
    QImage picture = test::PictureWithBox(6, 4, QRect(1, 1, 2, 2), qRgb(10, 20, 30));
    bitmap.TakeImage(picture);
    picture.fill(Qt::white);
    EXPECT_EQ(bitmap.GetKind(), 9);
    EXPECT_EQ(bitmap.Image()->format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(bitmap.GetPixel(1, 1), MakeColor(10, 20, 30));
    EXPECT_EQ(bitmap.SourceBytes(), std::vector<std::uint8_t>{9});
}

class ConversionTest : public ::testing::TestWithParam<int> {};

TEST_P(ConversionTest, PixelsLandAtTheOriginWhateverTheOffsets) {
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(test::PictureWithBox(8, 6, QRect(0, 0, 8, 6), qRgb(255, 0, 0)));
    QImage image = *bitmap.Image();
    image.setPixel(0, 0, qRgb(0, 0, 255));
    bitmap.TakeImage(image);
    bitmap.SetOffsetX(5);
    bitmap.SetOffsetY(7);
    bitmap.SetSourceFileName("pic.png");
    bitmap.SetSourceBytes({1});
    ASSERT_TRUE(bitmap.ConvertToKind(GetParam()));
    EXPECT_EQ(bitmap.GetKind(), GetParam());
    EXPECT_EQ(bitmap.StorageWidth(), 8.0);
    EXPECT_EQ(bitmap.StorageHeight(), 6.0);
    EXPECT_EQ(bitmap.GetPixel(0, 0), MakeColor(0, 0, 255));
    EXPECT_EQ(bitmap.GetPixel(7, 5), MakeColor(255, 0, 0));
    EXPECT_EQ(bitmap.OffsetX(), 5.0);
    EXPECT_EQ(bitmap.SourceFileName(), "pic.png");
    EXPECT_TRUE(bitmap.SourceBytes().empty());
}

INSTANTIATE_TEST_SUITE_P(PixelKinds, ConversionTest, ::testing::Values(1, 2, 3, 4));

TEST(BitmapStorage, ConversionToAMapOrAnUnknownKind) {
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(QImage(2, 2, QImage::Format_ARGB32));
    EXPECT_TRUE(bitmap.ConvertToKind(7));
    EXPECT_EQ(bitmap.GetKind(), 7);
    EXPECT_NE(bitmap.Map(), nullptr);
    EXPECT_FALSE(bitmap.ConvertToKind(8));
    EXPECT_EQ(bitmap.GetKind(), 7);
    EXPECT_TRUE(bitmap.ConvertToKind(0));
    EXPECT_EQ(bitmap.GetKind(), 0);
    EXPECT_EQ(bitmap.Map(), nullptr);
}

}  // namespace
}  // namespace plexion
