// The game-side reader's helpers against the editor's own: an animation
// plays, a moving object moves, texts expand and regions band as the author
// saw them in the editor.
#include <gtest/gtest.h>

#include <QRegion>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "animation_cursor.h"
#include "archive.h"
#include "archive_bytes.h"
#include "bitmap_item.h"
#include "index_list_item.h"
#include "plexion_dat.hpp"
#include "resource_container.h"
#include "safe_file_writer.h"
#include "temp_dir.h"
#include "text_item.h"
#include "trajectory_cursor.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// The editor's document as the game-side reader reads it from a file.
plexion_dat::SDocument ReadBack(CVKT_ResourceContainer& document) {
    test::CTempDir folder;
    const std::string path = folder.File("d.dat");
    EXPECT_TRUE(document.Save(path));
    plexion_dat::SReadResult result = plexion_dat::ReadDocumentFile(path.c_str());
    EXPECT_TRUE(result.Ok()) << result.message;
    return result.document;
}

TEST(ReaderHelpers, AnimationsPlayAsInTheEditor) {
    CVKT_ResourceContainer document;
    const std::vector<std::int32_t> delays = {2, 0, 1, -3, 4};
    for (int mode = -1; mode <= 8; ++mode) {
        for (int count = 0; count <= 5; ++count) {
            auto* animation = document.GetAt<CVKT_IndexList>(document.New<CVKT_IndexList>("a"));
            animation->SetPlayMode(mode);
            for (int i = 0; i < count; ++i) {
                animation->AddFrame({i, delays[static_cast<std::size_t>(i)], 0, 0});
            }
        }
    }
    const plexion_dat::SDocument read = ReadBack(document);
    ASSERT_EQ(read.animations.size(), static_cast<std::size_t>(document.Count<CVKT_IndexList>()));
    for (int index = 0; index < document.Count<CVKT_IndexList>(); ++index) {
        CAnimationCursor editor;
        editor.SetDocument(&document);
        editor.SetAnimationIndex(index);
        editor.Restart();
        plexion_dat::CAnimationCursor game(&read.animations[static_cast<std::size_t>(index)]);
        for (int step = 0; step < 40; ++step) {
            SCOPED_TRACE("animation " + std::to_string(index) + ", step " + std::to_string(step));
            ASSERT_EQ(game.FrameIndex(), editor.GetCurrentFrame());
            ASSERT_EQ(game.Forward(), editor.GetDirection() == 1);
            ASSERT_EQ(game.IsPlaying(), editor.IsPlaying());
            ASSERT_EQ(game.Advance(1.0), editor.Advance(1.0));
        }
    }
}

TEST(ReaderHelpers, ObjectsMoveAsInTheEditor) {
    CVKT_ResourceContainer document;
    auto* path = document.GetAt<CVKT_Trajectory>(document.New<CVKT_Trajectory>("path"));
    for (const CPathPoint& p : {CPathPoint{0, 0}, {10, 5}, {-20, 7.5}, {3, 3}}) {
        path->AddPoint(p.x, p.y);
    }
    path->SetOffsetX(-7);
    path->SetOffsetY(11);
    auto* single = document.GetAt<CVKT_Trajectory>(document.New<CVKT_Trajectory>("single"));
    single->AddPoint(4, 4);
    document.New<CVKT_Trajectory>("empty");
    const plexion_dat::SDocument read = ReadBack(document);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int index = 0; index < 3; ++index) {
        const CVKT_Trajectory& editor = *document.GetAt<CVKT_Trajectory>(index);
        const plexion_dat::STrajectory& game = read.trajectories[static_cast<std::size_t>(index)];
        for (const double t : {-5.0, -1.0, -0.5, 0.0, 0.25, 1.0, 2.75, 3.0, 10.0, nan, inf, -inf}) {
            SCOPED_TRACE("trajectory " + std::to_string(index) + ", t " + std::to_string(t));
            EXPECT_EQ(plexion_dat::PositionAt(game, t).x, editor.XAt(t));
            EXPECT_EQ(plexion_dat::PositionAt(game, t).y, editor.YAt(t));
        }
        for (const double speed : {1.0, 0.3, -0.7, 7.5, 0.0, 100.0, nan}) {
            CTrajectoryCursor cursor;
            cursor.SetResourceContainer(&document);
            cursor.SetTrajectoryIndex(index);
            double t = 0.0;
            for (int step = 0; step < 25; ++step) {
                cursor.Step(speed);
                t = plexion_dat::NextParameter(game, t, speed);
                ASSERT_EQ(t, cursor.Parameter()) << "trajectory " << index << ", speed " << speed;
            }
        }
    }
}

TEST(ReaderHelpers, TextsExpandAsInTheEditor) {
    CVKT_ResourceContainer document;
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"hero", "Ann"},
        {"greeting", "Hello [hero], meet [friend] and [nobody]!"},
        {"friend", "[hero]'s friend"},
        {"hero", "Bob, never seen"},
        {"loop", "a[loop]"},
        {"swap", "[swap2]"},
        {"swap2", "[swap]"},
        {"square", "[square][square]"},
        {"", "empty id"},
        {"odd", "[][unclosed"},
        {"nested", "[[hero]]"},
    };
    for (const auto& [id, text] : texts) {
        document.GetAt<CVKT_Text>(document.New<CVKT_Text>(id))->SetText(text);
    }
    const plexion_dat::SDocument read = ReadBack(document);
    for (int index = 0; index < document.Count<CVKT_Text>(); ++index) {
        EXPECT_EQ(plexion_dat::ExpandedText(read, read.texts[static_cast<std::size_t>(index)]),
                  document.GetAt<CVKT_Text>(index)->ExpandedText(document))
            << "text " << index;
    }
}

// Region data as the file holds it: the header, then the rectangles as given.
void WriteRegionBitmap(CArchive& archive, const std::vector<plexion_dat::SRect>& rects) {
    test::WriteItemHeader(archive, "r");
    for (const std::int32_t word : {0, 2, 6}) {
        archive.WriteInt32(word);
    }
    archive.WriteScrambledString("r");
    archive.WriteScrambledString("");
    archive.WriteScrambledString("");
    for (const double value : {0.0, 0.0}) {
        archive.WriteFloat64(value);
    }
    archive.WriteInt32(1);
    archive.WriteInt32(1);
    archive.WriteFloat64(0.0);
    archive.WriteFloat64(0.0);
    const auto count = static_cast<std::int32_t>(rects.size());
    archive.WriteInt32(32 + 16 * count);
    for (const std::int32_t word : {32, 1, count, 16 * count, 0, 0, 0, 0}) {
        archive.WriteInt32(word);
    }
    for (const plexion_dat::SRect& r : rects) {
        for (const std::int32_t word : {r.left, r.top, r.right, r.bottom}) {
            archive.WriteInt32(word);
        }
    }
}

TEST(ReaderHelpers, RegionsAreBandedAsInTheEditor) {
    // Small coordinates, so that rectangles overlap, touch and repeat.
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> coordinate(-3, 12);
    std::uniform_int_distribution<int> rectCount(0, 14);
    std::vector<std::vector<plexion_dat::SRect>> regions(400);
    for (auto& region : regions) {
        for (int n = rectCount(random); n > 0; --n) {
            region.push_back({coordinate(random), coordinate(random), coordinate(random),
                              coordinate(random)});
        }
    }
    regions.push_back({{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 10, 20, 20}});
    regions.push_back({{0, 0, 5, 5}, {0, 5, 5, 10}, {5, 10, 9, 12}, {0, 5, 5, 9}});
    const std::vector<std::uint8_t> bytes = test::ArchiveBytes([&](CArchive& archive) {
        test::WriteDocumentHeader(archive);
        test::WriteChunkHeader(archive, "VKRBMPG", static_cast<std::int32_t>(regions.size()));
        for (const auto& region : regions) {
            WriteRegionBitmap(archive, region);
        }
    });
    CVKT_ResourceContainer document;
    document.LoadFromBytes(bytes);
    ASSERT_EQ(document.LastLoadStatus(), LoadStatus::Clean);
    const plexion_dat::SReadResult read = plexion_dat::ReadDocument(bytes.data(), bytes.size());
    ASSERT_TRUE(read.Ok()) << read.message;
    ASSERT_EQ(read.document.bitmaps.size(), regions.size());
    for (std::size_t i = 0; i < regions.size(); ++i) {
        std::vector<plexion_dat::SRect> editor;
        for (const QRect& r : *document.GetAt<CVKT_Bitmap>(static_cast<int>(i))->Region()) {
            editor.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
        }
        EXPECT_EQ(read.document.bitmaps[i].rects, editor) << "region " << i;
    }
}

}  // namespace
}  // namespace plexion
