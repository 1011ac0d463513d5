#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <thread>
#include <vector>

#include "resource_container.h"
#include "trajectory_cursor.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// A document with a four-point path "square" at index 0 and an empty
// trajectory "empty" at index 1.
class TrajectoryCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* square = document_.GetAt<CVKT_Trajectory>(document_.New<CVKT_Trajectory>("square"));
        for (const CPathPoint& p : {CPathPoint{0, 0}, {10, 0}, {10, 10}, {0, 10}}) {
            square->AddPoint(p.x, p.y);
        }
        document_.New<CVKT_Trajectory>("empty");
        cursor_.SetResourceContainer(&document_);
    }

    std::vector<double> Run(double speed, int steps) {
        std::vector<double> seen = {cursor_.Parameter()};
        for (int i = 0; i < steps; ++i) {
            EXPECT_TRUE(cursor_.Step(speed));
            seen.push_back(cursor_.Parameter());
        }
        return seen;
    }

    CVKT_ResourceContainer document_;
    CTrajectoryCursor cursor_;
};

struct CStepCase {
    double speed;
    std::vector<double> parameters;
};

class TrajectoryCursorSteps : public TrajectoryCursorTest,
                              public ::testing::WithParamInterface<CStepCase> {};

// The object loops over the four points in the direction of the speed's
// sign, also when one step is longer than the whole path.
TEST_P(TrajectoryCursorSteps, LoopOverThePointsInTheDirectionOfTheSpeed) {
    cursor_.SetTrajectoryIndex(0);
    const CStepCase& c = GetParam();
    const std::vector<double> seen = Run(c.speed, static_cast<int>(c.parameters.size()) - 1);
    ASSERT_EQ(seen.size(), c.parameters.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_DOUBLE_EQ(seen[i], c.parameters[i]) << "step " << i << " at speed " << c.speed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, TrajectoryCursorSteps,
    ::testing::Values(CStepCase{1.0, {0, 1, 2, 3, 0, 1}}, CStepCase{-1.0, {0, 3, 2, 1, 0, 3}},
                      CStepCase{2.5, {0, 2.5, 1.0, 3.5, 2.0}},
                      CStepCase{-2.5, {0, 1.5, 3.0, 0.5, 2.0}}, CStepCase{0.0, {0, 0, 0}},
                      CStepCase{4.0, {0, 0, 0}}, CStepCase{10.0, {0, 2, 0, 2}},
                      CStepCase{-9.0, {0, 3, 2, 1, 0}}, CStepCase{100.0, {0, 0, 0}},
                      CStepCase{-99.5, {0, 0.5, 1.0}}));

TEST_F(TrajectoryCursorTest, ReportsNoChangeWithoutATrajectory) {
    EXPECT_FALSE(cursor_.Step(1.0));
    cursor_.SetTrajectoryIndex(7);
    EXPECT_EQ(cursor_.Trajectory(), nullptr);
    EXPECT_FALSE(cursor_.Step(1.0));
    EXPECT_EQ(cursor_.Parameter(), 0.0);

    CTrajectoryCursor detached;
    detached.SetTrajectoryIndex(0);
    EXPECT_FALSE(detached.Step(1.0));
}

TEST_F(TrajectoryCursorTest, ChoosingATrajectoryOrRewindingStartsAtTheBeginning) {
    cursor_.SetTrajectoryIndex(0);
    Run(1.5, 3);
    EXPECT_EQ(cursor_.Parameter(), 0.5);
    cursor_.Rewind();
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    Run(1.0, 2);
    cursor_.SetTrajectoryIndex(0);
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    EXPECT_EQ(cursor_.TrajectoryIndex(), 0);
    EXPECT_EQ(cursor_.Trajectory()->ID(), "square");
}

TEST_F(TrajectoryCursorTest, AnEmptyTrajectoryHoldsTheObjectAtTheStart) {
    cursor_.SetTrajectoryIndex(1);
    EXPECT_FALSE(cursor_.Step(1.0));
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    // Points drawn into it count once the cursor is told.
    auto* empty = document_.GetAt<CVKT_Trajectory>(1);
    empty->AddPoint(0, 0);
    empty->AddPoint(5, 5);
    cursor_.Refresh();
    EXPECT_EQ(Run(1.0, 3), (std::vector<double>{0, 1, 0, 1}));
    // Cleared again, the object goes back to the start once.
    empty->RemoveAllPoints();
    cursor_.Refresh();
    EXPECT_TRUE(cursor_.Step(1.0));
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    EXPECT_FALSE(cursor_.Step(1.0));
}

TEST_F(TrajectoryCursorTest, ADeletedTrajectoryStopsTheStepOnceRefreshed) {
    cursor_.SetTrajectoryIndex(1);
    document_.Delete<CVKT_Trajectory>(1);
    cursor_.Refresh();
    EXPECT_EQ(cursor_.Trajectory(), nullptr);
    EXPECT_FALSE(cursor_.Step(1.0));
}

TEST_F(TrajectoryCursorTest, ASpeedThatIsNotANumberPutsTheObjectBackAtTheStart) {
    cursor_.SetTrajectoryIndex(0);
    Run(1.0, 2);
    EXPECT_TRUE(cursor_.Step(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    EXPECT_TRUE(cursor_.Step(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(cursor_.Parameter(), 0.0);
    EXPECT_EQ(Run(1.0, 1), (std::vector<double>{0, 1}));
}

TEST_F(TrajectoryCursorTest, PaintingReadsTheParameterWhileTheClockThreadSteps) {
    cursor_.SetTrajectoryIndex(0);
    std::atomic<bool> done = false;
    std::thread clock([&] {
        for (int i = 0; i < 200000; ++i) {
            cursor_.Step(i % 2 ? 0.7 : -0.3);
        }
        done = true;
    });
    int reads = 0;
    while (!done) {
        const double t = cursor_.Parameter();
        ASSERT_GE(t, 0.0);
        ASSERT_LT(t, 4.0);
        if (++reads % 1000 == 0) {
            cursor_.Rewind();
        }
    }
    clock.join();
    cursor_.Rewind();
    EXPECT_EQ(cursor_.Parameter(), 0.0);
}

}  // namespace
}  // namespace plexion
