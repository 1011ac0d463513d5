#include <gtest/gtest.h>

#include "image_codecs.h"
#include "metafile_fixtures.h"

namespace plexion::test {
namespace {

// A colour no named colour matches: metafiles keep their exact colours.
const QRgb kFill = qRgb(30, 160, 90);

TEST(WmfDecoding, RendersAPlaceableMetafileAtItsFrameSize) {
    const QImage decoded = DecodeImage(MakePlaceableWmf(kFill));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded.size(), QSize(96, 48));
    EXPECT_EQ(decoded.pixel(48, 24), kFill);
    EXPECT_EQ(decoded.pixel(26, 14), kFill);
    EXPECT_EQ(decoded.pixel(70, 34), kFill);
    // Outside the rectangle nothing is drawn.
    EXPECT_EQ(qAlpha(decoded.pixel(5, 5)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(90, 44)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(20, 24)), 0);
}

TEST(WmfDecoding, SizesAMetafileWithoutPlaceableHeaderByWhatItDraws) {
    const QImage decoded = DecodeImage(MakeStandardWmf(kFill));
    ASSERT_FALSE(decoded.isNull());
    // The rectangle is all it draws, so it fills the picture.
    EXPECT_GT(decoded.width(), decoded.height());
    EXPECT_EQ(decoded.pixel(decoded.width() / 2, decoded.height() / 2), kFill);
    EXPECT_EQ(decoded.pixel(2, 2), kFill);
    EXPECT_EQ(decoded.pixel(decoded.width() - 3, decoded.height() - 3), kFill);
}

TEST(WmfDecoding, DrawsShapesOfAMetafileWithText) {
    const QImage decoded = DecodeImage(MakePlaceableWmf(kFill, true));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(96, 48));
    EXPECT_EQ(decoded.pixel(48, 24), kFill);
}

TEST(EmfDecoding, RendersAtTheFrameSize) {
    const QImage decoded = DecodeImage(MakeEmf(kFill));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded.size(), QSize(100, 50));
    EXPECT_EQ(decoded.pixel(50, 25), kFill);
    EXPECT_EQ(decoded.pixel(30, 15), kFill);
    EXPECT_EQ(decoded.pixel(70, 35), kFill);
    EXPECT_EQ(qAlpha(decoded.pixel(5, 5)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(90, 45)), 0);
}

TEST(EmfDecoding, DrawsShapesOfAMetafileWithText) {
    const QImage decoded = DecodeImage(MakeEmf(kFill, true));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(100, 50));
    EXPECT_EQ(decoded.pixel(50, 25), kFill);
}

TEST(MetafileDecoding, BothKindsWorkInOneProcessInEitherOrder) {
    // libwmf and libemf2svg's libuemf export a function of the same name;
    // decoding each kind after the other shows each library got its own.
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(DecodeImage(MakeEmf(kFill)).isNull());
        EXPECT_FALSE(DecodeImage(MakePlaceableWmf(kFill)).isNull());
    }
}

}  // namespace
}  // namespace plexion::test
