#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "trajectory_fixtures.h"

namespace plexion {
namespace {

using test::CPath;

struct CPositionCase {
    double parameter;
    double x;
    double y;
};

class CornerPathPositions : public ::testing::TestWithParam<CPositionCase> {};

// (0,0), (10,0), (10,10): whole parameters are points, fractions lie on the
// segments, the ends hold, and (-1, 0) extends the first segment backwards.
TEST_P(CornerPathPositions, FollowTheSegmentsAndHoldTheEnds) {
    const CPath path({{0, 0}, {10, 0}, {10, 10}});
    const CPositionCase c = GetParam();
    EXPECT_DOUBLE_EQ(path.RawXAt(c.parameter), c.x) << "at " << c.parameter;
    EXPECT_DOUBLE_EQ(path.RawYAt(c.parameter), c.y) << "at " << c.parameter;
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, CornerPathPositions,
    ::testing::Values(CPositionCase{0.0, 0, 0}, CPositionCase{0.5, 5, 0}, CPositionCase{1.0, 10, 0},
                      CPositionCase{1.25, 10, 2.5}, CPositionCase{1.999, 10, 9.99},
                      CPositionCase{2.0, 10, 10}, CPositionCase{7.3, 10, 10},
                      CPositionCase{1e300, 10, 10}, CPositionCase{-0.5, -5, 0},
                      CPositionCase{-0.999, -9.99, 0}, CPositionCase{-1.0, 0, 0},
                      CPositionCase{-3.5, 0, 0}, CPositionCase{-1e300, 0, 0},
                      CPositionCase{std::numeric_limits<double>::infinity(), 10, 10},
                      CPositionCase{-std::numeric_limits<double>::infinity(), 0, 0},
                      CPositionCase{std::numeric_limits<double>::quiet_NaN(), 0, 0}));

TEST(TrajectoryPositions, OffsetsAreAddedOnlyToThePositionsThatAskForThem) {
    CPath single({{3, 4}});
    single.SetOffsetX(100);
    single.SetOffsetY(-7);
    EXPECT_EQ(single.XAt(0), 103.0);
    EXPECT_EQ(single.YAt(0), -3.0);
    EXPECT_EQ(single.XAt(-12.5), 103.0);
    EXPECT_EQ(single.RawXAt(0), 3.0);
    EXPECT_EQ(single.RawYAt(55), 4.0);

    CVKT_Trajectory empty;
    empty.SetOffsetX(20);
    empty.SetOffsetY(30);
    EXPECT_EQ(empty.XAt(1.5), 20.0);
    EXPECT_EQ(empty.YAt(1.5), 30.0);
    EXPECT_EQ(empty.RawXAt(1.5), 0.0);

    CPath line({{0, 0}, {10, 20}});
    line.SetOffsetX(-5);
    line.SetOffsetY(5);
    EXPECT_EQ(line.XAt(0.5), 0.0);
    EXPECT_EQ(line.YAt(0.5), 15.0);
}

TEST(TrajectoryPositions, TheClosingSegmentIsNotPartOfThePath) {
    CPath square({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    square.SetClosedShape(1);
    EXPECT_EQ(square.RawXAt(3.5), 0.0);
    EXPECT_EQ(square.RawYAt(3.5), 10.0);
}

TEST(TrajectoryPoints, EditsChangeOnlyPointsInsideTheList) {
    CPath path({{1, 2}, {3, 4}});
    EXPECT_TRUE(path.SetPoint(1, 5, 6));
    EXPECT_EQ(path.GetPoint(1), (CPathPoint{5, 6}));
    EXPECT_FALSE(path.SetPoint(2, 7, 8));
    EXPECT_FALSE(path.SetPoint(-1, 7, 8));
    EXPECT_EQ(test::PointsOf(path), (std::vector<CPathPoint>{{1, 2}, {5, 6}}));
    EXPECT_EQ(path.GetPoint(2), (CPathPoint{}));
    EXPECT_TRUE(path.AddPoint(9, 9));
    EXPECT_EQ(path.Count(), 3);
    EXPECT_TRUE(path.RemoveAllPoints());
    EXPECT_EQ(path.Count(), 0);
}

TEST(TrajectoryBounds, FollowThePointsOnlyWhenUpdated) {
    CPath path({{4, -1}, {-2, 8}, {6, 3}});
    path.UpdateBounds();
    EXPECT_EQ(path.MinX(), -2.0);
    EXPECT_EQ(path.MaxX(), 6.0);
    EXPECT_EQ(path.MinY(), -1.0);
    EXPECT_EQ(path.MaxY(), 8.0);
    path.AddPoint(100, 100);
    EXPECT_EQ(path.MaxX(), 6.0);
    path.UpdateBounds();
    EXPECT_EQ(path.MaxX(), 100.0);
    path.RemoveAllPoints();
    path.UpdateBounds();
    EXPECT_EQ(path.MinX(), 0.0);
    EXPECT_EQ(path.MaxX(), 0.0);
    EXPECT_EQ(path.MinY(), 1.0);
    EXPECT_EQ(path.MaxY(), 1.0);
}

TEST(TrajectoryCenterOfMass, IsTheMeanOfTheVerticesWithoutTheOffset) {
    // A polygon's area centroid would lie elsewhere: the extra vertex on the
    // bottom edge pulls only the vertex mean.
    CPath shape({{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}});
    shape.SetOffsetX(1000);
    EXPECT_TRUE(shape.UpdateCenterOfMass());
    EXPECT_DOUBLE_EQ(shape.CenterOfMass().x, 5.0);
    EXPECT_DOUBLE_EQ(shape.CenterOfMass().y, 4.0);
    shape.AddPoint(100, 100);
    EXPECT_DOUBLE_EQ(shape.CenterOfMass().x, 5.0);
}

TEST(TrajectoryDescription, ShowsTheCenterOfMassOnlyForCollisionShapes) {
    CPath shape({{0, 0}, {1, 1}, {2, 2}});
    shape.SetCenterOfMass(1, 2);
    const std::pair<int, const char*> cases[] = {
        {0, "3 Points, 48 Bytes"},
        {1, "3 Points, 48 Bytes"},
        {2, "3 Points, 48 Bytes, Mass Center[ 1.000, 2.000 ]"},
    };
    for (const auto& [type, text] : cases) {
        shape.SetType(type);
        EXPECT_EQ(shape.Specifications(), text) << "type " << type;
    }
    EXPECT_EQ(CVKT_Trajectory().Specifications(), "0 Points, 0 Bytes");
}

struct CRangeCase {
    double parameter;
    double low;
    double high;
    double x;
    double y;
};

class MappedIntoRange : public ::testing::TestWithParam<CRangeCase> {};

// Bounds X -10..30 and Y 0..8: the position's place in the bounds is its place
// in the target range, a reversed range runs the other way, and positions
// that extend the first segment stay inside the range.
TEST_P(MappedIntoRange, PlacesThePositionWhereItLiesInTheBounds) {
    CPath path({{-10, 0}, {30, 8}});
    path.UpdateBounds();
    const CRangeCase c = GetParam();
    EXPECT_DOUBLE_EQ(path.XInRange(c.parameter, c.low, c.high), c.x) << c.parameter;
    EXPECT_DOUBLE_EQ(path.YInRange(c.parameter, c.low, c.high), c.y) << c.parameter;
}

INSTANTIATE_TEST_SUITE_P(Cases, MappedIntoRange,
                         ::testing::Values(CRangeCase{0.0, 0, 1, 0, 0}, CRangeCase{1.0, 0, 1, 1, 1},
                                           CRangeCase{0.25, 0, 100, 25, 25},
                                           CRangeCase{0.5, 200, 100, 150, 150},
                                           CRangeCase{0.75, 1, -1, -0.5, -0.5},
                                           CRangeCase{-0.5, 0, 1, 0, 0},
                                           CRangeCase{9.0, -4, 4, 4, 4}));

TEST(TrajectoryRanges, ABoundsWithoutExtentGivesTheMiddleOfTheRange) {
    CPath vertical({{5, 0}, {5, 10}});
    vertical.UpdateBounds();
    EXPECT_EQ(vertical.XInRange(0.5, 0, 1), 0.5);
    EXPECT_EQ(vertical.YInRange(0.5, 0, 1), 0.5);
    CVKT_Trajectory empty;
    empty.UpdateBounds();
    EXPECT_EQ(empty.XInRange(0, 10, 20), 15.0);
    EXPECT_EQ(empty.YInRange(0, 10, 20), 15.0);
    EXPECT_TRUE(std::isnan(vertical.YInRange(0.5, std::nan(""), 1)));
}

}  // namespace
}  // namespace plexion
