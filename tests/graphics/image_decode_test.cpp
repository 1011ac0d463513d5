#include <gtest/gtest.h>

#include "image_codecs.h"
#include "raster_fixtures.h"

namespace plexion::test {
namespace {

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(LosslessDecoding, PngKeepsEveryPixelAndItsAlpha) {
    const QImage source = MakePatternImage(37, 23, true);
    const QImage decoded = DecodeImage(WriteWithQt(source, "png"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded, Premultiplied(source));
}

TEST(LosslessDecoding, TiffKeepsEveryPixelAndItsAlpha) {
    const QImage source = MakePatternImage(19, 31, true);
    const QImage decoded = DecodeImage(WriteWithQt(source, "tiff"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded, Premultiplied(source));
}

TEST(LosslessDecoding, BmpKeepsEveryOpaquePixel) {
    const QImage source = MakePatternImage(21, 13, false);
    const QImage decoded = DecodeImage(WriteWithQt(source, "bmp"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded, Opaque(source));
}

TEST(LosslessDecoding, GifGivesItsFirstFrameWithTransparency) {
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QImage decoded = DecodeImage(MakeGif(5, 4, {red, blue}));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(5, 4));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded.pixel(2, 1), red);

    const QImage transparent = DecodeImage(MakeGif(3, 3, {0, blue}));
    ASSERT_FALSE(transparent.isNull());
    EXPECT_EQ(qAlpha(transparent.pixel(1, 1)), 0);
}

TEST(IconDecoding, TakesTheLargestPictureWhateverItsPosition) {
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(qRgb(0, 255, 0));
    QImage large(48, 48, QImage::Format_ARGB32);
    large.fill(qRgba(0, 0, 255, 255));
    large.setPixel(0, 0, qRgba(0, 0, 0, 0));
    QImage middle(32, 32, QImage::Format_ARGB32);
    middle.fill(qRgb(255, 0, 0));

    const QImage decoded = DecodeImage(MakeIco({small, large, middle}));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(48, 48));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);
}

TEST(IconDecoding, ReadsAnIconQtWrote) {
    const QImage source = MakePatternImage(32, 32, true);
    const QImage decoded = DecodeImage(WriteWithQt(source, "ico"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(decoded.pixel(0, 5)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(5, 5)), 255);
}

TEST(JpegDecoding, GivesTheSizeAndRoughColours) {
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(qRgb(200, 40, 40));
    const QImage decoded = DecodeImage(WriteWithQt(source, "jpeg"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(40, 20));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb centre = decoded.pixel(20, 10);
    EXPECT_NEAR(qRed(centre), 200, 8);
    EXPECT_NEAR(qGreen(centre), 40, 8);
    EXPECT_EQ(qAlpha(centre), 255);
}

TEST(JpegDecoding, AppliesTheExifOrientation) {
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::white);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 10; ++x) {
            source.setPixel(x, y, qRgb(0, 0, 0));  // dark left quarter
        }
    }
    const Bytes jpeg = WriteWithQt(source, "jpeg");

    const QImage upright = DecodeImage(WithExifOrientation(jpeg, 1));
    ASSERT_FALSE(upright.isNull());
    EXPECT_EQ(upright.size(), QSize(40, 20));

    // Orientation 6: the stored picture is turned 90° clockwise for display,
    // so its left edge becomes the top edge.
    const QImage rotated = DecodeImage(WithExifOrientation(jpeg, 6));
    ASSERT_FALSE(rotated.isNull());
    EXPECT_EQ(rotated.size(), QSize(20, 40));
    EXPECT_LT(qGray(rotated.pixel(10, 3)), 60);
    EXPECT_GT(qGray(rotated.pixel(10, 36)), 200);
}

}  // namespace
}  // namespace plexion::test
