#include <gtest/gtest.h>

#include <algorithm>

#include "image_codecs.h"
#include "raster_fixtures.h"

namespace plexion::test {
namespace {

bool Offers(const std::string& mimeType) {
    const std::vector<std::string> types = ImageEncoderMimeTypes();
    return std::find(types.begin(), types.end(), mimeType) != types.end();
}

TEST(Encoding, OffersTheDesktopPictureEncoders) {
    EXPECT_TRUE(Offers("image/png"));
    EXPECT_TRUE(Offers("image/jpeg"));
    EXPECT_TRUE(Offers("image/bmp"));
    EXPECT_TRUE(Offers("image/tiff"));
    EXPECT_FALSE(Offers("image/x-portable-pixmap"));
}

TEST(Encoding, PngRoundTripKeepsEveryPixel) {
    const QImage source =
        MakePatternImage(33, 17, true).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto png = EncodeImage(source, "image/png");
    ASSERT_TRUE(png.has_value());
    const Bytes signature = {0x89, 'P', 'N', 'G'};
    ASSERT_GE(png->size(), signature.size());
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png->begin()));
    EXPECT_EQ(DecodeImage(*png), source);
}

TEST(Encoding, EveryOfferedEncoderWritesADecodablePicture) {
    const QImage source = MakePatternImage(20, 10, false);
    for (const std::string& type : ImageEncoderMimeTypes()) {
        const auto encoded = EncodeImage(source, type);
        ASSERT_TRUE(encoded.has_value()) << type;
        const QImage decoded = DecodeImage(*encoded);
        ASSERT_FALSE(decoded.isNull()) << type;
        EXPECT_EQ(decoded.size(), source.size()) << type;
    }
}

TEST(Encoding, MimeTypesMatchExactly) {
    const QImage source = MakePatternImage(4, 4, false);
    EXPECT_FALSE(EncodeImage(source, "image/PNG").has_value());
    EXPECT_FALSE(EncodeImage(source, "image/png ").has_value());
    EXPECT_FALSE(EncodeImage(source, "png").has_value());
    EXPECT_FALSE(EncodeImage(source, "image/x-unknown").has_value());
    EXPECT_FALSE(EncodeImage(source, "").has_value());
}

TEST(Encoding, ANullImageIsNotEncoded) {
    EXPECT_FALSE(EncodeImage(QImage(), "image/png").has_value());
}

}  // namespace
}  // namespace plexion::test
