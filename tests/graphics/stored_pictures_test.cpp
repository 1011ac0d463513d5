#include <gtest/gtest.h>

#include "bitmap_item.h"
#include "picture_decoding.h"
#include "picture_fixtures.h"
#include "resource_container.h"
#include "temp_dir.h"

namespace plexion {
namespace {

QImage Gradient(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(
                x, y,
                qRgba((x * 7 + seed) & 0xFF, (y * 5) & 0xFF, seed & 0xFF, (x + y) % 3 ? 255 : 0));
        }
    }
    return image;
}

TEST(StoredPictures, BytesDecodedBeforeAreNotDecodedAgain) {
    const auto png = test::EncodedWithQt(Gradient(16, 8, 11), "PNG");
    const SDecodedPicture first = DecodePictureOnce(png);
    const SDecodedPicture again = DecodePictureOnce(png);
    ASSERT_FALSE(first.image.isNull());
    // The very same pixels: nothing was decoded the second time.
    EXPECT_EQ(again.image.constBits(), first.image.constBits());
    const std::vector<std::uint8_t> junk = {'n', 'o'};
    EXPECT_EQ(DecodePictureOnce(junk).problem, EDecodeProblem::NotAPicture);
}

TEST(StoredPictures, ReopenWithTheSameBytesAndPixels) {
    test::CTempDir dir;
    const auto png = test::EncodedWithQt(Gradient(40, 30, 3), "PNG");
    test::WriteFileBytes(dir.File("hero.png"), png);
    CVKT_ResourceContainer c;
    auto* bitmap = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("hero"));
    ASSERT_TRUE(bitmap->LoadFromFile(9, dir.File("hero.png")));
    EXPECT_EQ(bitmap->SourceBytes(), png);
    EXPECT_EQ(bitmap->SourceFileName(), dir.File("hero.png"));
    bitmap->SetOffsetX(2.5);
    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);

    CVKT_ResourceContainer reopened;
    reopened.Load(dir.File("d.dat"));
    ASSERT_EQ(reopened.LastLoadStatus(), LoadStatus::Clean);
    const auto* back = reopened.GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(back->GetKind(), 9);
    EXPECT_EQ(back->SourceBytes(), png);
    EXPECT_EQ(back->SourceFileName(), dir.File("hero.png"));
    EXPECT_EQ(back->OffsetX(), 2.5);
    EXPECT_EQ(back->DisplayWidth(), 40.0);
    EXPECT_EQ(*back->Image(), *bitmap->Image());
}

TEST(StoredPictures, UnreadablePicturesStayEmptyAndKeepTheirBytes) {
    test::CTempDir dir;
    const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
    test::WriteFileBytes(dir.File("junk.png"), junk);
    CVKT_ResourceContainer c;
    auto* bitmap = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("junk"));
    ASSERT_TRUE(bitmap->LoadFromFile(9, dir.File("junk.png")));
    EXPECT_EQ(bitmap->GetKind(), 9);
    EXPECT_EQ(bitmap->DisplayWidth(), 0.0);
    EXPECT_FALSE(bitmap->LoadFromFile(9, dir.File("missing.png")));
    EXPECT_EQ(bitmap->GetKind(), 0);
    ASSERT_TRUE(bitmap->LoadFromFile(9, dir.File("junk.png")));
    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);
    CVKT_ResourceContainer reopened;
    reopened.Load(dir.File("d.dat"));
    const auto* back = reopened.GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(back->GetKind(), 9);
    EXPECT_EQ(back->DisplayWidth(), 0.0);
    EXPECT_EQ(back->SourceBytes(), junk);
}

TEST(StoredPictures, ParallelDecodingMatchesDecodingOneByOne) {
    test::CTempDir dir;
    CVKT_ResourceContainer c;
    std::vector<CVKT_Bitmap> oneByOne(24);
    for (int i = 0; i < 24; ++i) {
        const auto bytes =
            i % 5 == 4 ? std::vector<std::uint8_t>{1, 2, 3}
                       : test::EncodedWithQt(Gradient(8 + i, 5 + i % 3, i), i % 2 ? "PNG" : "BMP");
        oneByOne[i].SetSourceBytes(bytes);
        oneByOne[i].DecodeSource();
        auto* stored = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>(std::to_string(i)));
        stored->SetSourceBytes(bytes);
        stored->DecodeSource();
    }
    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);
    CVKT_ResourceContainer reopened;
    reopened.Load(dir.File("d.dat"));
    ASSERT_EQ(reopened.Count<CVKT_Bitmap>(), 24);
    for (int i = 0; i < 24; ++i) {
        const auto* decoded = reopened.GetAt<CVKT_Bitmap>(i);
        EXPECT_FALSE(decoded->NeedsDecoding());
        EXPECT_EQ(*decoded->Image(), *oneByOne[i].Image()) << i;
    }
}

TEST(StoredPictures, BmpFilesLoadIntoPixelStorages) {
    test::CTempDir dir;
    test::WriteFileBytes(
        dir.File("tile.bmp"),
        test::EncodedWithQt(test::PictureWithBox(6, 3, QRect(0, 0, 6, 3), qRgb(0, 255, 0)), "BMP"));
    CVKT_Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(4, dir.File("tile.bmp")));
    EXPECT_EQ(bitmap.GetKind(), 4);
    EXPECT_EQ(bitmap.StorageWidth(), 6.0);
    EXPECT_EQ(bitmap.GetPixel(5, 2), MakeColor(0, 255, 0));
    EXPECT_TRUE(bitmap.SourceFileName().empty());
    ASSERT_TRUE(bitmap.LoadFromFile(3, dir.File("tile.bmp")));
    EXPECT_EQ(bitmap.GetKind(), 3);
    test::WriteFileBytes(dir.File("pic.png"),
                         test::EncodedWithQt(QImage(2, 2, QImage::Format_RGB32), "PNG"));
    EXPECT_FALSE(bitmap.LoadFromFile(4, dir.File("pic.png")));
    EXPECT_EQ(bitmap.GetKind(), 0);
    EXPECT_FALSE(bitmap.LoadFromFile(2, dir.File("tile.bmp")));
}

}  // namespace
}  // namespace plexion
