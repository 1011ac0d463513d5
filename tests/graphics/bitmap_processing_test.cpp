#include <gtest/gtest.h>

#include <QDir>

#include "bitmap_item.h"
#include "picture_fixtures.h"

namespace plexion {
namespace {

QRgb Pixel(const CVKT_Bitmap& bitmap, int x, int y) {
    return bitmap.Image()->convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

TEST(CropToAlpha, KeepsTheVisibleBoxAndMovesTheOffsets) {
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(test::PictureWithBox(10, 8, QRect(3, 2, 5, 3), qRgb(9, 9, 9)));
    bitmap.SetSourceFileName("/x/hero.png");
    bitmap.SetSourceBytes({1, 2});
    bitmap.SetOffsetX(1);
    ASSERT_TRUE(bitmap.CropToAlpha(true));
    EXPECT_EQ(bitmap.DisplayWidth(), 5.0);
    EXPECT_EQ(bitmap.DisplayHeight(), 3.0);
    EXPECT_EQ(bitmap.OffsetX(), 4.0);
    EXPECT_EQ(bitmap.OffsetY(), 2.0);
    EXPECT_EQ(bitmap.SourceFileName(), "/x/hero.png");
    EXPECT_TRUE(bitmap.SourceBytes().empty());
    EXPECT_EQ(qAlpha(Pixel(bitmap, 0, 0)), 255);

    CVKT_Bitmap sparse;
    QImage dots(6, 6, QImage::Format_ARGB32);
    dots.fill(Qt::transparent);
    dots.setPixel(1, 4, qRgb(1, 1, 1));
    dots.setPixel(4, 1, qRgb(1, 1, 1));
    sparse.TakeImage(dots);
    ASSERT_TRUE(sparse.CropToAlpha(false));
    EXPECT_EQ(sparse.DisplayWidth(), 4.0);
    EXPECT_EQ(sparse.DisplayHeight(), 4.0);
    EXPECT_EQ(sparse.OffsetX(), 0.0);
}

TEST(CropToAlpha, FullAndEmptyPicturesAreLeftAlone) {
    CVKT_Bitmap full;
    full.TakeImage(test::PictureWithBox(4, 4, QRect(0, 0, 4, 4), qRgb(1, 2, 3)));
    full.SetSourceBytes({7});
    EXPECT_TRUE(full.CropToAlpha(true));
    EXPECT_EQ(full.DisplayWidth(), 4.0);
    EXPECT_EQ(full.SourceBytes(), std::vector<std::uint8_t>{7});

    CVKT_Bitmap clear;
    clear.TakeImage(test::PictureWithBox(4, 4, QRect(), 0));
    EXPECT_FALSE(clear.CropToAlpha(true));
    EXPECT_EQ(clear.DisplayWidth(), 4.0);

    CVKT_Bitmap none;
    EXPECT_FALSE(none.CropToAlpha(true));
    CVKT_Bitmap zero;
    zero.TakeImage(QImage());
    EXPECT_TRUE(zero.CropToAlpha(true));
}

TEST(SetAlphaToColor, MakesExactlyTheMatchingPixelsTransparent) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 0, 0, 128));
    image.setPixel(2, 0, qRgba(254, 0, 0, 255));
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(image);
    ASSERT_TRUE(bitmap.SetAlphaToColor(MakeColor(255, 0, 0)));
    EXPECT_EQ(qAlpha(Pixel(bitmap, 0, 0)), 0);
    EXPECT_EQ(qAlpha(Pixel(bitmap, 1, 0)), 0);
    EXPECT_EQ(Pixel(bitmap, 2, 0), qRgba(254, 0, 0, 255));
    CVKT_Bitmap buffer;
    buffer.CreateBlank(4, 2, 2);
    EXPECT_FALSE(buffer.SetAlphaToColor(0));
}

TEST(ChangeColor, ReplacesBlendsOrKeepsPixels) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(200, 0, 0, 255));    // same hue: replaced
    image.setPixel(1, 0, qRgba(100, 150, 0, 255));  // green above red: order test fails
    image.setPixel(2, 0, qRgba(250, 60, 0, 255));   // some way off: blended
    image.setPixel(3, 0, qRgba(50, 0, 0, 255));     // too dark for the tolerance
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(image);
    ASSERT_TRUE(bitmap.ChangeColor(255, 0, 0, 255, 0, 0, 255, 255, 80, 128, 128));
    EXPECT_EQ(Pixel(bitmap, 0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(Pixel(bitmap, 1, 0), qRgba(100, 150, 0, 255));
    // Normalized (250, 60, 0) is (255, 61, 0): distance 61, weight 42, t = 0.525.
    EXPECT_EQ(Pixel(bitmap, 2, 0), qRgba(131, 31, 121, 255));
    EXPECT_EQ(Pixel(bitmap, 3, 0), qRgba(50, 0, 0, 255));
}

TEST(ChangeColor, GraySourcesCompareOnlyBrightness) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(100, 100, 100, 255));
    image.setPixel(1, 0, qRgba(110, 100, 105, 255));
    image.setPixel(2, 0, qRgba(250, 250, 250, 255));
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(image);
    ASSERT_TRUE(bitmap.ChangeColor(100, 100, 100, 255, 0, 255, 0, 255, 80, 20, 20));
    EXPECT_EQ(Pixel(bitmap, 0, 0), qRgba(0, 255, 0, 255));
    // Near-gray: normalized (23, 0, 11) is within the hue tolerance.
    EXPECT_EQ(Pixel(bitmap, 1, 0), qRgba(0, 255, 0, 255));
    EXPECT_EQ(Pixel(bitmap, 2, 0), qRgba(250, 250, 250, 255));
}

TEST(ChangeColor, ZeroToleranceReplacesOnlyTheSameHueWithoutDividingByZero) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 10, 0, 255));
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(image);
    ASSERT_TRUE(bitmap.ChangeColor(255, 0, 0, 255, 0, 0, 255, 255, 0, 255, 255));
    EXPECT_EQ(Pixel(bitmap, 0, 0), qRgba(0, 0, 255, 255));
    EXPECT_EQ(Pixel(bitmap, 1, 0), qRgba(255, 10, 0, 255));
}

TEST(ChangeColor, PixelsAtTheFullOddToleranceKeepTheirOwnColour) {
    // Against pure red, (255, h, 0) lies at hue distance h: the blend's weight
    // there is 2 * (h - h / 2) / h, above 1 for every odd h.
    for (const int tolerance : {1, 3, 81, 101, 255}) {
        SCOPED_TRACE(tolerance);
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(255, tolerance, 0, 255));
        image.setPixel(1, 0, qRgba(255, tolerance, 0, 200));
        CVKT_Bitmap bitmap;
        bitmap.TakeImage(image);
        ASSERT_TRUE(bitmap.ChangeColor(255, 0, 0, 255, 0, 0, 255, 100, tolerance, 255, 255));
        EXPECT_EQ(Pixel(bitmap, 0, 0), qRgba(255, tolerance, 0, 255));
        EXPECT_EQ(qRed(Pixel(bitmap, 1, 0)), 255);
        EXPECT_EQ(qBlue(Pixel(bitmap, 1, 0)), 0);
        EXPECT_EQ(qAlpha(Pixel(bitmap, 1, 0)), 200);
    }
}

TEST(ReencodeAsPng, SourceBecomesPngBytesInTheTemporaryFolder) {
    CVKT_Bitmap bitmap;
    bitmap.TakeImage(test::PictureWithBox(5, 4, QRect(1, 1, 2, 2), qRgba(10, 200, 30, 255)));
    bitmap.SetSourceFileName("C:\\art\\hero.bmp");
    ASSERT_TRUE(bitmap.ReencodeAsPng());
    EXPECT_EQ(bitmap.SourceFileName(), QDir(QDir::tempPath()).filePath("hero.png").toStdString());
    ASSERT_GT(bitmap.SourceBytes().size(), 8u);
    EXPECT_EQ(bitmap.SourceBytes()[1], 'P');
    EXPECT_EQ(bitmap.DisplayWidth(), 5.0);
    EXPECT_EQ(Pixel(bitmap, 1, 1), qRgba(10, 200, 30, 255));
    EXPECT_EQ(qAlpha(Pixel(bitmap, 0, 0)), 0);
    CVKT_Bitmap buffer;
    buffer.CreateBlank(4, 2, 2);
    EXPECT_FALSE(buffer.ReencodeAsPng());
}

}  // namespace
}  // namespace plexion
