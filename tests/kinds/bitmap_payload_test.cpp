#include <gtest/gtest.h>

#include "bitmap_item.h"
#include "kinds_fixture.h"

namespace plexion {
namespace {

void WriteBitmapPayload(CArchive& a, std::int32_t version, std::int32_t kind, double width,
                        double height, const std::function<void(CArchive&)>& tail,
                        const std::string& source = "pic.png") {
    const bool scrambled = version >= 2;
    const auto text = [&](const std::string& s) {
        scrambled ? a.WriteScrambledString(s) : a.WriteString(s);
    };
    a.WriteInt32(0);
    a.WriteInt32(version);
    a.WriteInt32(kind);
    text("bmp");
    text(source);
    text("");
    a.WriteFloat64(width);
    a.WriteFloat64(height);
    a.WriteInt32(32);
    a.WriteInt32(1);
    a.WriteFloat64(1.5);
    a.WriteFloat64(-2.25);
    tail(a);
}

TEST(BitmapItem, NewItemsAreEmptyAndKindsHaveTheirNames) {
    CVKT_Bitmap bitmap;
    EXPECT_EQ(bitmap.GetKind(), 0);
    EXPECT_EQ(bitmap.DisplayWidth(), 0.0);
    EXPECT_EQ(bitmap.UsedGameMemory(), 0);
    EXPECT_EQ(bitmap.SourceBytes().size(), 0u);
    EXPECT_EQ(bitmap.LinkValue(1), -1);
    EXPECT_EQ(bitmap.LinkValue(2), -1);
    EXPECT_EQ(CVKT_Bitmap::KindName(15), "DirectX (Reserved)");
    EXPECT_EQ(CVKT_Bitmap::KindName(9), "GDI+ Image");
    EXPECT_EQ(CVKT_Bitmap::KindName(24), "Unknown");
    EXPECT_EQ(CVKT_Bitmap::KindName(-1), "Unknown");
    EXPECT_EQ(CVKT_Bitmap::KindCount(), 24);
}

TEST(BitmapItem, StoredPicturesKeepTheirBytesAndNumbers) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0, 1, 2, 3, 0xFF};
    const auto bytes = test::OneItemDocument("VKRBMPG", "bmp", [&](CArchive& a) {
        WriteBitmapPayload(a, 2, 9, 100, 50, [&](CArchive& t) {
            t.WriteInt32(static_cast<std::int32_t>(png.size()));
            t.WriteRaw(png.data(), png.size());
        });
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    const auto* b = c.GetAt<CVKT_Bitmap>(0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetKind(), 9);
    EXPECT_EQ(b->SourceBytes(), png);
    EXPECT_EQ(b->SourceFileName(), "pic.png");
    EXPECT_EQ(b->OffsetX(), 1.5);
    EXPECT_EQ(b->OffsetY(), -2.25);
    EXPECT_EQ(b->DisplayWidth(), 100.0);
    EXPECT_EQ(b->UsedGameMemory(), 20000);
    EXPECT_EQ(b->Specifications(), "32 Bits, 1 Frames");

    CVKT_ResourceContainer reloaded;
    EXPECT_EQ(test::SaveAndReload(c, reloaded), bytes);
}

TEST(BitmapItem, VersionOnePayloadsHavePlainTexts) {
    const auto bytes = test::OneItemDocument("VKRBMPG", "ignored", [&](CArchive& a) {
        WriteBitmapPayload(a, 1, 9, 1, 1, [](CArchive& t) { t.WriteInt32(0); });
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(c.GetAt<CVKT_Bitmap>(0)->ID(), "bmp");
    EXPECT_EQ(c.GetAt<CVKT_Bitmap>(0)->SourceFileName(), "pic.png");
}

TEST(BitmapItem, RegionsRoundTripAsRectangles) {
    CVKT_ResourceContainer c;
    auto* region = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("New Region"));
    region->SetRegion({{0, 0, 10, 5}, {3, 3, 3, 9}, {-4, 5, 20, 8}});
    EXPECT_EQ(region->RegionRects().size(), 2u);
    EXPECT_EQ(region->StorageWidth(), 24.0);
    EXPECT_EQ(region->StorageHeight(), 8.0);
    EXPECT_EQ(region->UsedGameMemory(), 32 + 2 * 16);
    EXPECT_EQ(region->BitsPerPixel(), 1);
    CVKT_ResourceContainer reloaded;
    test::SaveAndReload(c, reloaded);
    ASSERT_EQ(reloaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* loaded = reloaded.GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(loaded->GetKind(), 6);
    EXPECT_EQ(loaded->RegionRects(), region->RegionRects());
    EXPECT_EQ(loaded->SourceFileName(), "");
}

TEST(BitmapItem, RegionDataShorterThanItsHeaderClaimsKeepsWhatIsThere) {
    const auto bytes = test::OneItemDocument("VKRBMPG", "r", [&](CArchive& a) {
        WriteBitmapPayload(a, 2, 6, 0, 0, [](CArchive& t) {
            t.WriteInt32(32 + 16);
            for (std::uint32_t v : {32u, 1u, 1000u, 16000u, 0u, 0u, 2u, 2u}) {
                t.WriteUInt32(v);
            }
            for (std::int32_t v : {0, 0, 2, 2}) {
                t.WriteInt32(v);
            }
        });
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(c.GetAt<CVKT_Bitmap>(0)->RegionRects(), (std::vector<CRegionRect>{{0, 0, 2, 2}}));
}

TEST(BitmapItem, PixelStorageKindsAreSavedAsEmptyBitmapsThatReadBack) {
    const auto bytes = test::OneItemDocument("VKRBMPG", "bmp", [&](CArchive& a) {
        WriteBitmapPayload(a, 2, 4, 64, 64, [](CArchive&) {});
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(c.GetAt<CVKT_Bitmap>(0)->GetKind(), 4);
    EXPECT_EQ(c.GetAt<CVKT_Bitmap>(0)->SourceFileName(), "");
    CVKT_ResourceContainer reloaded;
    test::SaveAndReload(c, reloaded);
    ASSERT_EQ(reloaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* b = reloaded.GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(b->GetKind(), 0);
    EXPECT_EQ(b->ID(), "bmp");
    EXPECT_EQ(b->OffsetX(), 1.5);
}

TEST(BitmapItem, HostileSourceSizesAreRefused) {
    for (std::int32_t size : {0x7FFFFFFF, 100}) {
        const auto bytes = test::OneItemDocument("VKRBMPG", "b", [&](CArchive& a) {
            WriteBitmapPayload(a, 2, 9, 1, 1, [&](CArchive& t) { t.WriteInt32(size); });
        });
        CVKT_ResourceContainer c;
        c.LoadFromBytes(bytes);
        EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
        EXPECT_EQ(c.Count<CVKT_Bitmap>(), 0);
    }
}

TEST(BitmapItem, ResetKeepsOffsetsAndReleasingSourcesEmptiesThem) {
    CVKT_ResourceContainer c;
    auto* b = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("b"));
    b->SetOffsetX(3);
    b->SetSourceBytes({1, 2});
    b->SetSourceFileName("x.png");
    c.ReleaseBitmapSources();
    EXPECT_TRUE(b->SourceBytes().empty());
    EXPECT_TRUE(b->SourceFileName().empty());
    b->SetRegion({{0, 0, 1, 1}});
    b->Reset();
    EXPECT_EQ(b->GetKind(), 0);
    EXPECT_EQ(b->OffsetX(), 3.0);
}

}  // namespace
}  // namespace plexion
