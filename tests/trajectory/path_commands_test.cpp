#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "path_commands.h"
#include "path_operations.h"
#include "resource_container.h"
#include "trajectory_fixtures.h"

namespace plexion::test {
namespace {

class PathCommands : public ::testing::Test {
protected:
    int Add(std::initializer_list<CPathPoint> points) {
        const int index = document_.New<CVKT_Trajectory>("t");
        SetPoints(*document_.GetAt<CVKT_Trajectory>(index), points);
        return index;
    }
    std::vector<CPathPoint> Points(int index) const {
        return PointsOf(*document_.GetAt<CVKT_Trajectory>(index));
    }

    CVKT_ResourceContainer document_;
};

TEST(PathCommandValues, AreClampedAsTheOperationsClampThem) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kHuge = 1e300;
    const struct {
        PathOperation operation;
        double value;
        double clamped;
    } cases[] = {
        {PathOperation::Resample, 0.0, 0.01},      {PathOperation::Resample, 20000.0, 10000.0},
        {PathOperation::Resample, kNaN, 0.01},     {PathOperation::Smooth, 7.9, 7.0},
        {PathOperation::Smooth, -kHuge, 2.0},      {PathOperation::Smooth, kHuge, 10000.0},
        {PathOperation::Smooth, kNaN, 2.0},        {PathOperation::Quantify, 0.0005, 0.001},
        {PathOperation::Quantify, 2.5, 2.5},       {PathOperation::AddNoise, 0.00005, 0.0001},
        {PathOperation::AddNoise, kHuge, 10000.0}, {PathOperation::RemoveAll, 5.0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampPathValue(c.operation, c.value), c.clamped)
            << static_cast<int>(c.operation) << " " << c.value;
    }
}

TEST_F(PathCommands, OneCommandReshapesEveryNamedTrajectoryAndSkipsMissingOnes) {
    const int a = Add({{1.3, -0.7}, {2.6, 0.2}});
    const int b = Add({{-1.5, 2.9}});
    const int untouched = Add({{1.3, 1.3}});
    const CPathOperationOutcome outcome =
        ApplyPathOperation(document_, {a, 99, b, -1}, PathOperation::Quantify, 0.5);
    EXPECT_TRUE(outcome.changed);
    EXPECT_TRUE(outcome.refused.empty());
    EXPECT_EQ(Points(a), (std::vector<CPathPoint>{{1.0, -0.5}, {2.5, 0.0}}));
    EXPECT_EQ(Points(b), (std::vector<CPathPoint>{{-1.5, 2.5}}));
    EXPECT_EQ(Points(untouched), (std::vector<CPathPoint>{{1.3, 1.3}}));

    ApplyPathOperation(document_, {a, b}, PathOperation::RemoveAll, 0.0);
    EXPECT_TRUE(Points(a).empty());
    EXPECT_TRUE(Points(b).empty());
    // Nothing left to reshape is no change.
    EXPECT_FALSE(ApplyPathOperation(document_, {a, b}, PathOperation::Smooth, 3).changed);
}

TEST_F(PathCommands, CentersOfMassAreTheVertexMeans) {
    const int a = Add({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 0}});
    const int empty = Add({});
    document_.GetAt<CVKT_Trajectory>(empty)->SetCenterOfMass(3, 3);
    EXPECT_TRUE(UpdateCentersOfMass(document_, {a, empty, 7}));
    EXPECT_EQ(document_.GetAt<CVKT_Trajectory>(a)->CenterOfMass(), (CPathPoint{5, 4}));
    EXPECT_EQ(document_.GetAt<CVKT_Trajectory>(empty)->CenterOfMass(), (CPathPoint{0, 0}));
    EXPECT_FALSE(UpdateCentersOfMass(document_, {7}));
}

}  // namespace
}  // namespace plexion::test
