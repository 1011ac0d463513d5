#include <gtest/gtest.h>

#include <QPolygon>
#include <QRegion>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "bitmap_item.h"
#include "kinds_fixture.h"
#include "resource_container.h"
#include "trajectory_item.h"
#include "trajectory_region.h"

namespace plexion {
namespace {

QRegion PolygonRegion(const std::vector<QPoint>& points) {
    QPolygon polygon(points.begin(), points.end());
    polygon << points.front();
    return QRegion(polygon, Qt::OddEvenFill);
}

class RegionConversion : public ::testing::Test {
protected:
    int AddShape(const std::string& id, const std::vector<CPathPoint>& points) {
        const int index = document_.New<CVKT_Trajectory>(id);
        auto* shape = document_.GetAt<CVKT_Trajectory>(index);
        for (const CPathPoint& p : points) {
            shape->AddPoint(p.x, p.y);
        }
        return index;
    }
    const CVKT_Bitmap& Converted(const std::vector<int>& selection) {
        const CRegionConversion conversion = ConvertTrajectoriesToRegion(document_, selection);
        EXPECT_EQ(conversion.problem, "");
        EXPECT_EQ(conversion.bitmapIndex, document_.Count<CVKT_Bitmap>() - 1);
        static const CVKT_Bitmap kNone;
        const CVKT_Bitmap* bitmap = document_.GetAt<CVKT_Bitmap>(conversion.bitmapIndex);
        return bitmap ? *bitmap : kNone;
    }

    CVKT_ResourceContainer document_;
};

TEST_F(RegionConversion, UnitesTheShapesOfMoreThanTwoPointsAndNamesEverySelectedOne) {
    document_.New<CVKT_Bitmap>("sprite");
    const int a = AddShape("A", {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const int b = AddShape("B", {{40, 40}, {60, 60}});
    const int c = AddShape("C", {{20, 0}, {30, 0}, {20, 10}});
    const CVKT_Bitmap& bitmap = Converted({a, b, c});
    EXPECT_EQ(document_.Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(bitmap.ID(), "New Region");
    EXPECT_EQ(bitmap.Comments(), "Trajectories: A, B, C");
    ASSERT_EQ(bitmap.GetKind(), CVKT_Bitmap::kKindRegion);
    const QRegion expected = PolygonRegion({{0, 0}, {10, 0}, {10, 10}, {0, 10}})
                                 .united(PolygonRegion({{20, 0}, {30, 0}, {20, 10}}));
    EXPECT_EQ(*bitmap.Region(), expected);
    EXPECT_TRUE(bitmap.PointInRegion(5, 5));
    EXPECT_TRUE(bitmap.PointInRegion(21, 1));
    EXPECT_FALSE(bitmap.PointInRegion(50, 50));
    EXPECT_FALSE(bitmap.PointInRegion(15, 5));
}

TEST_F(RegionConversion, FollowsTheSelectionOrderAndAddsANewBitmapEachTime) {
    const int a = AddShape("A", {{0, 0}, {10, 0}, {0, 10}});
    const int b = AddShape("B", {{0, 0}, {-10, 0}, {0, -10}});
    EXPECT_EQ(Converted({b, a}).Comments(), "Trajectories: B, A");
    EXPECT_EQ(Converted({a}).Comments(), "Trajectories: A");
    ASSERT_EQ(document_.Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(document_.GetAt<CVKT_Bitmap>(0)->ID(), "New Region");
    EXPECT_EQ(document_.GetAt<CVKT_Bitmap>(1)->ID(), "New Region");
}

TEST_F(RegionConversion, OverlapsOfOneShapeAreLeftOutByTheEvenOddRule) {
    // A bow tie drawn twice over its right half: that half is crossed twice.
    const int shape = AddShape(
        "twice", {{0, 0}, {20, 0}, {20, 20}, {10, 20}, {10, 0}, {20, 0}, {20, 20}, {0, 20}});
    const CVKT_Bitmap& bitmap = Converted({shape});
    EXPECT_TRUE(bitmap.PointInRegion(5, 10));
    EXPECT_FALSE(bitmap.PointInRegion(15, 10));
}

TEST_F(RegionConversion, TruncatesTowardZeroAndIgnoresOffsetTypeAndClosedFlag) {
    const int rough = AddShape("rough", {{-0.9, -0.9}, {10.9, -0.5}, {10.99, 10.2}, {-0.2, 10.7}});
    auto* shape = document_.GetAt<CVKT_Trajectory>(rough);
    shape->SetOffsetX(500);
    shape->SetOffsetY(-500);
    shape->SetType(0);
    shape->SetClosedShape(0);
    EXPECT_EQ(*Converted({rough}).Region(), PolygonRegion({{0, 0}, {10, 0}, {10, 10}, {0, 10}}));
}

TEST_F(RegionConversion, ShortShapesAndUnknownIndexesAddNothing) {
    const int single = AddShape("dot", {{5, 5}});
    const int pair = AddShape("line", {{0, 0}, {9, 9}});
    const CVKT_Bitmap& bitmap = Converted({single, 99, pair, -1});
    EXPECT_EQ(bitmap.Comments(), "Trajectories: dot, line");
    ASSERT_NE(bitmap.Region(), nullptr);
    EXPECT_TRUE(bitmap.Region()->isEmpty());
    EXPECT_EQ(Converted({}).Comments(), "Trajectories");
}

TEST_F(RegionConversion, ShapesBeyondWhatARegionHoldsAreRefusedAndNothingIsAdded) {
    const int square = AddShape("square", {{0, 0}, {10, 0}, {10, 10}});
    const int far = AddShape("far", {{0, 0}, {1e12, 0}, {0, 10}});
    const int broken = AddShape("broken", {{0, 0}, {std::nan(""), 0}, {0, 10}});
    const int tall = AddShape("tall", {{0, -7}, {50, -7}, {0, 99994}});
    // Within the height, but 400 edges crossing 99,000 pixel lines each.
    std::vector<CPathPoint> teeth;
    for (int i = 0; i < 200; ++i) {
        teeth.push_back({static_cast<double>(i * 10), 0});
        teeth.push_back({static_cast<double>(i * 10 + 5), 99000});
    }
    const int winding = AddShape("winding", teeth);
    for (const int index : {far, broken, tall, winding}) {
        const CRegionConversion refused = ConvertTrajectoriesToRegion(document_, {square, index});
        EXPECT_EQ(refused.bitmapIndex, -1);
        EXPECT_NE(refused.problem, "");
    }
    for (const int index : {far, broken, tall}) {
        const std::string& id = document_.GetAt<CVKT_Trajectory>(index)->ID();
        EXPECT_NE(ConvertTrajectoriesToRegion(document_, {index}).problem.find('"' + id + '"'),
                  std::string::npos);
    }
    EXPECT_EQ(document_.Count<CVKT_Bitmap>(), 0);
}

TEST_F(RegionConversion, ShapesUpToTheLargestHeightAreConverted) {
    const int slim = AddShape("slim", {{0, -7}, {50, -7}, {0, 99993}});
    const CVKT_Bitmap& bitmap = Converted({slim});
    EXPECT_TRUE(bitmap.PointInRegion(0, 99990));
    EXPECT_TRUE(bitmap.PointInRegion(40, 0));
    EXPECT_EQ(bitmap.Region()->boundingRect().top(), -7);
}

TEST_F(RegionConversion, TheRegionAndItsCommentsSurviveASavedDocument) {
    const int a = AddShape("A", {{0, 0}, {30, 5}, {12, 40}, {-7, 22}});
    const int b = AddShape("B", {{100, 100}, {140, 100}, {120, 130}});
    const QRegion region = *Converted({a, b}).Region();
    CVKT_ResourceContainer loaded;
    test::SaveAndReload(document_, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* back = loaded.GetAt<CVKT_Bitmap>(0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->ID(), "New Region");
    EXPECT_EQ(back->Comments(), "Trajectories: A, B");
    ASSERT_NE(back->Region(), nullptr);
    EXPECT_EQ(*back->Region(), region);
}

}  // namespace
}  // namespace plexion
