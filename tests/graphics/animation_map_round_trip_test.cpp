// Animations and maps edited through the document, saved, and opened again.
#include <gtest/gtest.h>

#include <vector>

#include "animation_cursor.h"
#include "frame_list_editing.h"
#include "index_list_item.h"
#include "map_item.h"
#include "map_resize.h"
#include "plexion_doc_core.h"
#include "temp_dir.h"

namespace plexion {
namespace {

std::string PlayedFrames(const CVKT_ResourceContainer& document, int animation, int steps) {
    CAnimationCursor cursor;
    cursor.SetDocument(&document);
    cursor.SetAnimationIndex(animation);
    cursor.Restart();
    std::string shown;
    for (int i = 0; i < steps; ++i) {
        cursor.Advance(1.0);
        shown += std::to_string(cursor.CurrentBitmapIndex()) + (cursor.IsPlaying() ? " " : "s ");
    }
    return shown;
}

class SavedAnimationsAndMaps : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.File("game.dat");
        ASSERT_TRUE(saved_.NewDocument());
    }
    const CVKT_ResourceContainer& Reopened() {
        EXPECT_TRUE(saved_.SaveDocument(path_));
        EXPECT_EQ(reopened_.OpenDocument(path_, [] { return std::nullopt; }),
                  CPlexionDocCore::OpenOutcome::Opened);
        EXPECT_EQ(reopened_.Resources().LastLoadStatus(), LoadStatus::Clean);
        return reopened_.Resources();
    }

    test::CTempDir dir_;
    std::string path_;
    CPlexionDocCore saved_;
    CPlexionDocCore reopened_;
};

TEST_F(SavedAnimationsAndMaps, AnAnimationPlaysTheSameAfterItsRoundTrip) {
    int animation = -1;
    saved_.Edit("Add", [&](CVKT_ResourceContainer& resources) {
        animation = resources.New<CVKT_IndexList>("jump");
        auto* list = resources.GetAt<CVKT_IndexList>(animation);
        list->SetPlayMode(6);
        list->AddFrame({7, 2, -3, 4});
        list->AddFrame({8, 0, 0, 0});
        list->AddFrame({9, 1, 5, -6});
        return true;
    });
    saved_.Edit("Move Frames", [&](CVKT_ResourceContainer& resources) {
        std::vector<int> moved = {0};
        return frame_list::MoveFrames(*resources.GetAt<CVKT_IndexList>(animation), moved, 1);
    });
    const std::string before = PlayedFrames(saved_.Resources(), animation, 10);
    const CVKT_ResourceContainer& loaded = Reopened();
    const auto* list = loaded.GetAt<CVKT_IndexList>(loaded.Find<CVKT_IndexList>("jump"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->PlayMode(), 6);
    ASSERT_EQ(list->FrameCount(), 3);
    EXPECT_EQ(list->Frame(0), (CAnimationFrame{8, 0, 0, 0}));
    EXPECT_EQ(list->Frame(1), (CAnimationFrame{7, 2, -3, 4}));
    EXPECT_EQ(PlayedFrames(loaded, loaded.Find<CVKT_IndexList>("jump"), 10), before);
    EXPECT_EQ(before, "9 7 7 8 7 7 9 9s 9s 9s ");
}

TEST_F(SavedAnimationsAndMaps, AResizedMapKeepsItsCellsAndSizes) {
    saved_.Edit("Add", [&](CVKT_ResourceContainer& resources) {
        auto* map = resources.GetAt<CVKT_Map>(resources.New<CVKT_Map>("cave"));
        map->SetType(4);
        map->SetSizeX(16);
        map->SetSizeY(24);
        map->SetCell(9, 9, 5);
        map->SetCell(0, 7, -1);
        map->SetCell(3, 2, 32767);
        return map_size::SetDimensions(*map, 12, 8);
    });
    const CVKT_ResourceContainer& loaded = Reopened();
    const auto* map = loaded.GetAt<CVKT_Map>(loaded.Find<CVKT_Map>("cave"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Type(), 4);
    EXPECT_EQ(map->Columns(), 12);
    EXPECT_EQ(map->Lines(), 8);
    EXPECT_EQ(map->SizeX(), 16);
    EXPECT_EQ(map->SizeY(), 24);
    EXPECT_EQ(map->GetCell(0, 7), -1);
    EXPECT_EQ(map->GetCell(3, 2), 32767);
    EXPECT_EQ(map->GetCell(9, 9), 0);
    EXPECT_EQ(map->GetCell(11, 7), 0);
}

// The edits the Maps panel makes to a map's dimensions, from a new map and
// from one without cells (as a file may hold): every accepted edit reads
// back as it stood, and none leaves a dimension of 0.
TEST_F(SavedAnimationsAndMaps, EditedMapDimensionsReadBackAsShown) {
    struct CEdit {
        bool columns;
        int value;
        bool accepted;
        int wantColumns;
        int wantLines;
    };
    struct CCase {
        const char* name;
        bool startEmpty;
        std::vector<CEdit> edits;
    };
    const CCase cases[] = {
        {"zero columns", false, {{true, 0, false, 10, 10}, {false, 0, false, 10, 10}}},
        {"shrink and grow", false, {{true, 3, true, 3, 10}, {false, 1, true, 3, 1}}},
        {"an empty map grows", true, {{true, 0, false, 0, 0}, {true, 5, true, 5, 1}}},
        {"an empty map grows lines", true, {{false, 4, true, 1, 4}}},
    };
    for (const CCase& test : cases) {
        int index = -1;
        saved_.Edit("Edit", [&](CVKT_ResourceContainer& resources) {
            index = resources.New<CVKT_Map>(test.name);
            auto* map = resources.GetAt<CVKT_Map>(index);
            if (test.startEmpty) {
                map->Clear();
                return true;
            }
            return map->SetSizeX(48);
        });
        for (const CEdit& edit : test.edits) {
            auto* map = saved_.Resources().GetAt<CVKT_Map>(index);
            const auto [columns, lines] = edit.columns ? map_size::WithColumns(*map, edit.value)
                                                       : map_size::WithLines(*map, edit.value);
            const bool allowed = map_size::EditAllowed(columns, lines);
            EXPECT_EQ(allowed, edit.accepted) << test.name << " " << edit.value;
            if (allowed) {
                saved_.Edit("Resize Map", [&](CVKT_ResourceContainer& resources) {
                    return map_size::SetDimensions(*resources.GetAt<CVKT_Map>(index), columns,
                                                   lines);
                });
            }
            EXPECT_EQ(map->Columns(), edit.wantColumns) << test.name;
            EXPECT_EQ(map->Lines(), edit.wantLines) << test.name;
            const CVKT_ResourceContainer& loaded = Reopened();
            const auto* read = loaded.GetAt<CVKT_Map>(index);
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(read->Columns(), map->Columns()) << test.name;
            EXPECT_EQ(read->Lines(), map->Lines()) << test.name;
            EXPECT_EQ(read->SizeX(), map->SizeX()) << test.name;
            EXPECT_EQ(read->SizeY(), map->SizeY()) << test.name;
        }
    }
}

}  // namespace
}  // namespace plexion
