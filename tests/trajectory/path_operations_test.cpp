#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "path_operations.h"
#include "trajectory_fixtures.h"

namespace plexion {
namespace {

using test::CPath;
using test::PointsOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectPointsNear(const CVKT_Trajectory& path, const std::vector<CPathPoint>& expected,
                      double tolerance) {
    ASSERT_EQ(path.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < path.Count(); ++i) {
        EXPECT_NEAR(path.GetPoint(i).x, expected[i].x, tolerance) << "point " << i;
        EXPECT_NEAR(path.GetPoint(i).y, expected[i].y, tolerance) << "point " << i;
    }
}

TEST(PathValueRanges, ClampIntoTheirRangesAndTreatNotANumberAsTheBottom) {
    EXPECT_EQ(ClampNoiseLevel(0.00005), 0.0001);
    EXPECT_EQ(ClampNoiseLevel(20000), 10000.0);
    EXPECT_EQ(ClampNoiseLevel(kNaN), 0.0001);
    EXPECT_EQ(ClampNoiseLevel(3.5), 3.5);
    EXPECT_EQ(ClampGridSize(0), 0.001);
    EXPECT_EQ(ClampGridSize(1e9), 10000.0);
    EXPECT_EQ(ClampGridSize(kNaN), 0.001);
    EXPECT_EQ(ClampSmoothRange(1), 2);
    EXPECT_EQ(ClampSmoothRange(-40), 2);
    EXPECT_EQ(ClampSmoothRange(20000), 10000);
    EXPECT_EQ(ClampSmoothRange(7), 7);
    EXPECT_EQ(ClampResampleDistance(0), 0.01);
    EXPECT_EQ(ClampResampleDistance(20000), 10000.0);
    EXPECT_EQ(ClampResampleDistance(-std::numeric_limits<double>::infinity()), 0.01);
    EXPECT_EQ(ClampResampleDistance(kNaN), 0.01);
}

TEST(AddNoise, UsesTheClassicGeneratorScaledToTheLevel) {
    // The generator's first outputs for seed 1 are 41, 18467, 6334, 26500.
    CNoiseGenerator generator(1);
    EXPECT_EQ(generator.Next(), 41);
    EXPECT_EQ(generator.Next(), 18467);
    CPath path({{0, 0}, {100, -100}});
    EXPECT_TRUE(path.AddNoise(10000, 1));
    const double scale = 10000.0 / 32767;
    ExpectPointsNear(
        path, {{41 * scale, 18467 * scale}, {100 + 6334 * scale, -100 + 26500 * scale}}, 1e-9);
}

TEST(AddNoise, MovesEveryPointBetweenNothingAndTheLevelTowardPositiveXAndY) {
    std::vector<CPathPoint> before;
    CVKT_Trajectory path;
    for (int i = 0; i < 2000; ++i) {
        path.AddPoint(i, -i);
        before.push_back({static_cast<double>(i), static_cast<double>(-i)});
    }
    ASSERT_TRUE(path.AddNoise(2.0));
    double largest = 0.0;
    for (int i = 0; i < path.Count(); ++i) {
        const double dx = path.GetPoint(i).x - before[i].x;
        const double dy = path.GetPoint(i).y - before[i].y;
        EXPECT_GE(dx, 0.0);
        EXPECT_LE(dx, 2.0);
        EXPECT_GE(dy, 0.0);
        EXPECT_LE(dy, 2.0);
        largest = std::max({largest, dx, dy});
    }
    EXPECT_GT(largest, 1.0);
}

TEST(AddNoise, LevelsOutsideTheRangeActAsItsEnds) {
    const auto noisy = [](double level) {
        CPath path({{1, 1}, {2, 2}, {3, 3}});
        path.AddNoise(level, 77);
        return PointsOf(path);
    };
    EXPECT_EQ(noisy(0.00005), noisy(0.0001));
    EXPECT_EQ(noisy(kNaN), noisy(0.0001));
    EXPECT_EQ(noisy(1e12), noisy(10000));
    EXPECT_NE(noisy(5000), noisy(10000));
}

struct CQuantifyCase {
    double grid;
    CPathPoint before;
    CPathPoint after;
};

class Quantify : public ::testing::TestWithParam<CQuantifyCase> {};

TEST_P(Quantify, TruncatesTowardZeroOnTheGrid) {
    const CQuantifyCase c = GetParam();
    CPath path({c.before});
    EXPECT_TRUE(path.Quantify(c.grid));
    EXPECT_DOUBLE_EQ(path.GetPoint(0).x, c.after.x);
    EXPECT_DOUBLE_EQ(path.GetPoint(0).y, c.after.y);
}

INSTANTIATE_TEST_SUITE_P(Grids, Quantify,
                         ::testing::Values(CQuantifyCase{0.5, {1.3, -0.7}, {1.0, -0.5}},
                                           CQuantifyCase{1.0, {-1.5, 2.9}, {-1.0, 2.0}},
                                           CQuantifyCase{5.0, {-12.0, 12.0}, {-10.0, 10.0}},
                                           CQuantifyCase{0.0, {1.23456, -0.0019}, {1.234, -0.001}},
                                           CQuantifyCase{-3.0, {0.0567, 0.0}, {0.056, 0.0}},
                                           CQuantifyCase{kNaN, {0.0567, 1.0}, {0.056, 1.0}},
                                           CQuantifyCase{
                                               20000.0, {15000.0, -25000.0}, {10000.0, -20000.0}},
                                           CQuantifyCase{0.001, {1e300, -1e300}, {1e300, -1e300}}));

struct CSmoothCase {
    int range;
    std::vector<CPathPoint> after;
};

class Smooth : public ::testing::TestWithParam<CSmoothCase> {};

// On (0,0), (10,0), (20,0), (30,0): each window [i - half, i + half) sees the
// points already smoothed before i.
TEST_P(Smooth, AveragesEachWindowInPlace) {
    const CSmoothCase c = GetParam();
    CPath path({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    EXPECT_TRUE(path.Smooth(c.range));
    ExpectPointsNear(path, c.after, 1e-12);
}

const std::vector<CPathPoint> kHalfOne = {{0, 0}, {5, 0}, {12.5, 0}, {21.25, 0}};
const std::vector<CPathPoint> kHalfFive = {{15, 0}, {18.75, 0}, {20.9375, 0}, {21.171875, 0}};

INSTANTIATE_TEST_SUITE_P(
    Ranges, Smooth,
    ::testing::Values(CSmoothCase{2, kHalfOne}, CSmoothCase{3, kHalfOne}, CSmoothCase{1, kHalfOne},
                      CSmoothCase{-7, kHalfOne},
                      CSmoothCase{4, {{5, 0}, {35.0 / 3, 0}, {50.0 / 3, 0}, {175.0 / 9, 0}}},
                      CSmoothCase{10, kHalfFive}, CSmoothCase{10000, kHalfFive},
                      CSmoothCase{2147483647, kHalfFive}));

TEST(SmoothEdges, ShortPathsKeepTheirPointsAndYIsSmoothedLikeX) {
    CVKT_Trajectory empty;
    EXPECT_TRUE(empty.Smooth(10));
    EXPECT_EQ(empty.Count(), 0);
    CPath single({{3, 4}});
    single.Smooth(10);
    EXPECT_EQ(single.GetPoint(0), (CPathPoint{3, 4}));
    CPath vertical({{0, 0}, {0, 10}, {0, 20}, {0, 30}});
    vertical.Smooth(2);
    ExpectPointsNear(vertical, {{0, 0}, {0, 5}, {0, 12.5}, {0, 21.25}}, 1e-12);
}

TEST(SmoothEdges, ALargeCoordinateLeavesNoRoundingInTheSmallOnesAfterIt) {
    CPath path({{1e17, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
    path.Smooth(2);
    EXPECT_EQ(path.GetPoint(5).x, (path.GetPoint(4).x + 5) / 2);
    EXPECT_EQ(path.GetPoint(3).x, (path.GetPoint(2).x + 3) / 2);
}

struct CResampleCase {
    const char* name;
    std::vector<CPathPoint> before;
    double distance;
    std::vector<CPathPoint> after;
};

class Resample : public ::testing::TestWithParam<CResampleCase> {};

// Each new point lies one parameter step past the first step whose chord
// from the previous new point reached the distance; the last point of the
// path is not added unless a step lands on it.
TEST_P(Resample, PlacesPointsOneStepPastTheDistance) {
    const CResampleCase& c = GetParam();
    CVKT_Trajectory path;
    for (const CPathPoint& p : c.before) {
        path.AddPoint(p.x, p.y);
    }
    path.SetOffsetX(1000);
    EXPECT_TRUE(path.Resample(c.distance));
    ExpectPointsNear(path, c.after, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Resample,
    ::testing::Values(
        CResampleCase{"Line", {{0, 0}, {10, 0}}, 3, {{0, 0}, {3.1, 0}, {6.2, 0}, {9.3, 0}}},
        CResampleCase{
            "Corner", {{0, 0}, {10, 0}, {10, 10}}, 5, {{0, 0}, {5.1, 0}, {10, 1.1}, {10, 6.2}}},
        CResampleCase{"OnePoint", {{7, -2}}, 3, {{7, -2}}}, CResampleCase{"Empty", {}, 3, {}},
        CResampleCase{"Same points", {{4, 4}, {4, 4}, {4, 4}}, 1, {{4, 4}}},
        CResampleCase{
            "FineStep", {{0, 0}, {1, 0}}, 0.25, {{0, 0}, {0.251, 0}, {0.502, 0}, {0.753, 0}}},
        CResampleCase{"Zero is 0.01",
                      {{0, 0}, {0.05, 0}},
                      0,
                      {{0, 0}, {0.01005, 0}, {0.0201, 0}, {0.03015, 0}, {0.0402, 0}}},
        CResampleCase{
            "Huge is 10000", {{0, 0}, {30000, 0}}, 20000, {{0, 0}, {10500, 0}, {21000, 0}}}),
    [](const ::testing::TestParamInfo<CResampleCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c))) {
                name += *c;
            }
        }
        return name;
    });

TEST(ResampleEdges, DistancesOutsideTheRangeActAsItsEnds) {
    const auto resampled = [](double distance) {
        CPath path({{0, 0}, {0.5, 0}, {0.5, 0.3}, {3, 3}});
        path.Resample(distance);
        return PointsOf(path);
    };
    EXPECT_EQ(resampled(0), resampled(0.01));
    EXPECT_EQ(resampled(kNaN), resampled(0.01));
    EXPECT_EQ(resampled(-5), resampled(0.01));
    EXPECT_NE(resampled(0.02), resampled(0.01));
}

TEST(ResampleEdges, AResultTooLargeToKeepLeavesThePathAsItWas) {
    // 40,000 segments of 100 pixels at distance 0.01: a new point every two
    // steps of 0.001, 20 million points in all.
    CVKT_Trajectory path;
    for (int i = 0; i < 40000; ++i) {
        path.AddPoint(i * 100.0, 0);
    }
    const std::vector<CPathPoint> before = PointsOf(path);
    EXPECT_FALSE(path.Resample(0.01));
    EXPECT_EQ(PointsOf(path), before);
}

}  // namespace
}  // namespace plexion
