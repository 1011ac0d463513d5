#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "path_gesture.h"
#include "trajectory_fixtures.h"

namespace plexion::test {
namespace {

TEST(PathStroke, DrawsOnlyPointsThatDifferFromTheLastAndAppendsThemInOneChange) {
    CPath path({{0, 0}, {5, 5}});
    CPathGesture stroke = CPathGesture::Stroke(path.Points());
    EXPECT_FALSE(stroke.Draw({5, 5}));  // where the path ends already
    EXPECT_TRUE(stroke.Draw({6, 5}));
    EXPECT_FALSE(stroke.Draw({6, 5}));
    EXPECT_TRUE(stroke.Draw({5, 5}));
    EXPECT_EQ(std::vector<CPathPoint>(stroke.Points().begin(), stroke.Points().end()),
              (std::vector<CPathPoint>{{0, 0}, {5, 5}, {6, 5}, {5, 5}}));
    EXPECT_EQ(path.Count(), 2);  // nothing reaches the path before the end
    ASSERT_TRUE(stroke.ApplyTo(path));
    EXPECT_EQ(PointsOf(path), (std::vector<CPathPoint>{{0, 0}, {5, 5}, {6, 5}, {5, 5}}));

    CPath empty({});
    CPathGesture click = CPathGesture::Stroke(empty.Points());
    EXPECT_TRUE(click.Draw({3, 4}));
    EXPECT_FALSE(click.Draw({3, 4}));
    ASSERT_TRUE(click.ApplyTo(empty));
    EXPECT_EQ(PointsOf(empty), (std::vector<CPathPoint>{{3, 4}}));
    EXPECT_FALSE(CPathGesture::Stroke(empty.Points()).ApplyTo(empty));
}

TEST(PathDrag, MovesOnePointAndChangesNothingWhenDroppedWhereItWas) {
    CPath path({{0, 0}, {5, 5}, {9, 9}});
    CPathGesture drag = CPathGesture::Drag(path.Points(), 1);
    EXPECT_FALSE(drag.IsStroke());
    EXPECT_FALSE(drag.Draw({1, 1}));
    drag.MoveBy({2, -3});
    EXPECT_EQ(drag.Points()[1], (CPathPoint{7, 2}));
    drag.MoveBy({0, 0});
    EXPECT_FALSE(drag.ApplyTo(path));
    drag.MoveBy({2, -3});
    ASSERT_TRUE(drag.ApplyTo(path));
    EXPECT_EQ(PointsOf(path), (std::vector<CPathPoint>{{0, 0}, {7, 2}, {9, 9}}));
    // A point the path lost meanwhile is not set.
    CPath shorter({{0, 0}});
    EXPECT_FALSE(drag.ApplyTo(shorter));
    EXPECT_EQ(PointsOf(shorter), (std::vector<CPathPoint>{{0, 0}}));
    // A drag of no point is a stroke.
    EXPECT_TRUE(CPathGesture::Drag(path.Points(), 3).IsStroke());
}

TEST(PointAtPixel, FindsTheLastPointWhoseBoxHoldsThePixel) {
    CPath path({{10.4, 10.5}, {100, 100}, {12, 11}, {-2.5, 0}});
    const auto points = path.Points();
    EXPECT_EQ(PointAtPixel(points, 11, 11, 2), 2);  // boxes of points 0 and 2 overlap
    EXPECT_EQ(PointAtPixel(points, 8, 9, 2), 0);    // 10.5 rounds to 11
    EXPECT_EQ(PointAtPixel(points, 8, 8, 2), -1);
    EXPECT_EQ(PointAtPixel(points, -5, 2, 2), 3);  // -2.5 rounds to -3
    EXPECT_EQ(PointAtPixel(points, 102, 98, 2), 1);
    EXPECT_EQ(PointAtPixel(points, 103, 100, 2), -1);
    CPath far({{1e300, 0}, {std::numeric_limits<double>::quiet_NaN(), 0}});
    EXPECT_EQ(PointAtPixel(far.Points(), 0, 0, 2), -1);
}

}  // namespace
}  // namespace plexion::test
