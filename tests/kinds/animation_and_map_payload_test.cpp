#include <gtest/gtest.h>

#include "index_list_item.h"
#include "kinds_fixture.h"
#include "map_item.h"

namespace plexion {
namespace {

TEST(IndexListItem, FramesAndPlayModeRoundTrip) {
    CVKT_ResourceContainer c;
    auto* anim = c.GetAt<CVKT_IndexList>(c.New<CVKT_IndexList>("walk"));
    EXPECT_EQ(anim->Type(), 1);
    EXPECT_EQ(anim->PlayMode(), 1);
    for (int i = 0; i < 100; ++i) {
        anim->AddFrame({i, i % 4 - 1, -i, 2 * i});
    }
    anim->SetPlayMode(6);
    CVKT_ResourceContainer loaded;
    test::SaveAndReload(c, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* back = loaded.GetAt<CVKT_IndexList>(0);
    ASSERT_EQ(back->FrameCount(), 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(back->Frame(i), anim->Frame(i));
    }
    EXPECT_EQ(back->PlayMode(), 6);
    EXPECT_EQ(back->Specifications(), "100 Frames");
    EXPECT_EQ(CVKT_IndexList::PlayModeName(7), "Backward and Forward Loop");
    EXPECT_EQ(CVKT_IndexList::PlayModeName(8), "");
}

TEST(IndexListItem, NegativeFrameCountsReadNoFramesAndHugeOnesAreRefused) {
    const auto payload = [](std::int32_t count) {
        return test::OneItemDocument("VKRIXLS", "a", [&](CArchive& a) {
            a.WriteInt32(0);
            a.WriteInt32(1);
            a.WriteInt32(1);
            a.WriteInt32(count);
            a.WriteInt32(3);
        });
    };
    CVKT_ResourceContainer c;
    c.LoadFromBytes(payload(-5));
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(c.GetAt<CVKT_IndexList>(0)->FrameCount(), 0);
    EXPECT_EQ(c.GetAt<CVKT_IndexList>(0)->PlayMode(), 3);
    c.LoadFromBytes(payload(0x10000000));
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
    EXPECT_EQ(c.Count<CVKT_IndexList>(), 0);
}

TEST(MapItem, NewMapsAreTenByTenAndEditsStayInRange) {
    CVKT_Map map;
    EXPECT_EQ(map.Columns(), 10);
    EXPECT_EQ(map.Lines(), 10);
    EXPECT_EQ(map.SizeX(), 32);
    EXPECT_TRUE(map.SetCell(9, 9, -1));
    EXPECT_FALSE(map.SetCell(10, 0, 1));
    EXPECT_FALSE(map.SetCell(0, -1, 1));
    EXPECT_EQ(map.GetCell(10, 0), 0);
    EXPECT_EQ(map.GetCell(9, 9), -1);
    EXPECT_FALSE(map.SetSizeX(0));
    EXPECT_FALSE(map.SetSizeY(-3));
    EXPECT_EQ(map.SizeX(), 32);
    map.InsertColumn(0);
    map.InsertLine(100);
    EXPECT_EQ(map.Columns(), 11);
    EXPECT_EQ(map.Lines(), 11);
    EXPECT_EQ(map.GetCell(10, 9), -1);
    EXPECT_TRUE(map.RemoveLine(0));
    EXPECT_EQ(map.GetCell(10, 8), -1);
    EXPECT_FALSE(map.RemoveColumn(11));
    EXPECT_EQ(CVKT_Map::TypeName(0), "Bitmaps");
    EXPECT_EQ(CVKT_Map::TypeName(3), "Not Valid");
}

TEST(MapItem, CellsAreStoredColumnByColumn) {
    CVKT_ResourceContainer c;
    auto* map = c.GetAt<CVKT_Map>(c.New<CVKT_Map>("m"));
    while (map->Columns() > 3) {
        map->RemoveColumn(0);
    }
    while (map->Lines() > 2) {
        map->RemoveLine(0);
    }
    std::int16_t value = 1;
    for (int column = 0; column < 3; ++column) {
        for (int line = 0; line < 2; ++line) {
            map->SetCell(column, line, value++);
        }
    }
    map->SetSizeX(16);
    map->SetSizeY(8);
    CVKT_ResourceContainer loaded;
    const auto bytes = test::SaveAndReload(c, loaded);
    const std::vector<std::uint8_t> tail = {3, 0, 0, 0, 2, 0, 0, 0, 8, 0, 0, 0, 16, 0,
                                            0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6,  0};
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - tail.size()));
    const auto* back = loaded.GetAt<CVKT_Map>(0);
    EXPECT_EQ(back->GetCell(2, 1), 6);
    EXPECT_EQ(back->SizeX(), 16);
    EXPECT_EQ(back->SizeY(), 8);
}

TEST(MapItem, EmptyDimensionsReadNoCellsAndHugeOnesAreRefused) {
    const auto payload = [](std::int32_t columns, std::int32_t lines) {
        return test::OneItemDocument("VKRMAP", "m", [&](CArchive& a) {
            for (std::int32_t v : {0, 1, 0, columns, lines, 7, 9}) {
                a.WriteInt32(v);
            }
        });
    };
    CVKT_ResourceContainer c;
    c.LoadFromBytes(payload(5, 0));
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    const auto* map = c.GetAt<CVKT_Map>(0);
    EXPECT_EQ(map->Columns(), 0);
    EXPECT_EQ(map->Lines(), 0);
    EXPECT_EQ(map->SizeX(), 32);
    c.LoadFromBytes(payload(40000, 40000));
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
    EXPECT_EQ(c.Count<CVKT_Map>(), 0);
}

}  // namespace
}  // namespace plexion
