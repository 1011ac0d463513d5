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

TEST(BitmapItem, UnreadablePicturesKeepTheirBytesAndNumbers) {
    const std::vector<std::uint8_t> notPng = {0x89, 'P', 'N', 'G', 0, 1, 2, 3, 0xFF};
    const auto bytes = test::OneItemDocument("VKRBMPG", "bmp", [&](CArchive& a) {
        WriteBitmapPayload(a, 2, 9, 100, 50, [&](CArchive& t) {
            t.WriteInt32(static_cast<std::int32_t>(notPng.size()));
            t.WriteRaw(notPng.data(), notPng.size());
        });
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    const auto* b = c.GetAt<CVKT_Bitmap>(0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetKind(), 9);
    EXPECT_EQ(b->SourceBytes(), notPng);
    EXPECT_EQ(b->SourceFileName(), "pic.png");
    EXPECT_EQ(b->OffsetX(), 1.5);
    EXPECT_EQ(b->OffsetY(), -2.25);
    EXPECT_EQ(b->DisplayWidth(), 0.0);
    EXPECT_EQ(b->UsedGameMemory(), 0);

    CVKT_ResourceContainer reloaded;
    test::SaveAndReload(c, reloaded);
    ASSERT_EQ(reloaded.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(reloaded.GetAt<CVKT_Bitmap>(0)->SourceBytes(), notPng);
    EXPECT_EQ(reloaded.GetAt<CVKT_Bitmap>(0)->GetKind(), 9);
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

TEST(BitmapItem, RegionsRoundTripAsTheirUnion) {
    CVKT_ResourceContainer c;
    auto* region = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("New Region"));
    QRegion shape(0, 0, 10, 5);
    shape += QRect(-4, 5, 24, 3);
    region->SetRegion(shape);
    EXPECT_EQ(region->StorageWidth(), 24.0);
    EXPECT_EQ(region->StorageHeight(), 8.0);
    EXPECT_EQ(region->BitsPerPixel(), 1);
    CVKT_ResourceContainer reloaded;
    test::SaveAndReload(c, reloaded);
    ASSERT_EQ(reloaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* loaded = reloaded.GetAt<CVKT_Bitmap>(0);
    EXPECT_EQ(loaded->GetKind(), 6);
    EXPECT_EQ(*loaded->Region(), shape);
    EXPECT_EQ(loaded->SourceFileName(), "");
}

TEST(BitmapItem, StoredRectanglesMayOverlapAndBeEmpty) {
    const auto bytes = test::OneItemDocument("VKRBMPG", "r", [&](CArchive& a) {
        WriteBitmapPayload(a, 2, 6, 0, 0, [](CArchive& t) {
            t.WriteInt32(32 + 3 * 16);
            for (std::uint32_t v : {32u, 1u, 3u, 48u, 0u, 0u, 6u, 4u}) {
                t.WriteUInt32(v);
            }
            for (std::int32_t v : {0, 0, 4, 4, 2, 2, 6, 4, 5, 5, 5, 9}) {
                t.WriteInt32(v);
            }
        });
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    QRegion expected(0, 0, 4, 4);
    expected += QRect(2, 2, 4, 2);
    EXPECT_EQ(*c.GetAt<CVKT_Bitmap>(0)->Region(), expected);
}

// Region data whose header disagrees with it keeps the rectangles really
// there, is reported naming the bitmap, and saves whole again.
TEST(BitmapItem, DamagedRegionDataKeepsItsRectanglesAndIsReported) {
    struct CCase {
        const char* name;
        std::vector<std::uint32_t> data;
        const char* problem;
        QRegion kept;
    };
    const std::vector<std::uint32_t> header = {32, 1, 3, 48, 0, 0, 9, 9};
    const auto with = [&header](std::uint32_t count, std::uint32_t bytes) {
        std::vector<std::uint32_t> data = header;
        data[2] = count;
        data[3] = bytes;
        for (std::uint32_t v : {0u, 0u, 4u, 4u, 5u, 5u, 9u, 9u}) {
            data.push_back(v);
        }
        return data;
    };
    QRegion two(0, 0, 4, 4);
    two += QRect(5, 5, 4, 4);
    for (const CCase& form : {
             CCase{"count beyond the rectangles", with(3, 48), "it claims 3 rectangles but holds 2", two},
             CCase{"count past 32 bits of bytes", with(0x10000001u, 16),
                   "its count of 268435457 rectangles needs more bytes than a region can hold", two},
             CCase{"shorter than the header", {32, 1, 0, 0}, "16 bytes cannot hold its 32-byte header",
                   QRegion()},
         }) {
        SCOPED_TRACE(form.name);
        const auto bytes = test::OneItemDocument("VKRBMPG", "r", [&](CArchive& a) {
            WriteBitmapPayload(a, 2, 6, 0, 0, [&](CArchive& t) {
                t.WriteInt32(static_cast<std::int32_t>(form.data.size() * 4));
                for (std::uint32_t v : form.data) {
                    t.WriteUInt32(v);
                }
            });
        });
        test::CRecordingPresenter presenter;
        CVKT_ResourceContainer c(&presenter);
        c.LoadFromBytes(bytes);
        EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Mended);
        EXPECT_EQ(presenter.messages,
                  std::vector<std::string>{std::string("Error: bitmap \"bmp\" has damaged region data: ") +
                                           form.problem + ", file broken."});
        ASSERT_EQ(c.Count<CVKT_Bitmap>(), 1);
        EXPECT_EQ(*c.GetAt<CVKT_Bitmap>(0)->Region(), form.kept);

        CVKT_ResourceContainer reloaded;
        test::SaveAndReload(c, reloaded);
        EXPECT_EQ(reloaded.LastLoadStatus(), LoadStatus::Clean);
        EXPECT_EQ(*reloaded.GetAt<CVKT_Bitmap>(0)->Region(), form.kept);
    }
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

TEST(BitmapItem, ReleasingSourcesEmptiesThem) {
    CVKT_ResourceContainer c;
    auto* b = c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("b"));
    b->SetSourceBytes({1, 2});
    b->SetSourceFileName("x.png");
    c.ReleaseBitmapSources();
    EXPECT_TRUE(b->SourceBytes().empty());
    EXPECT_TRUE(b->SourceFileName().empty());
}

}  // namespace
}  // namespace plexion
