#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "index_list_item.h"
#include "resource_container.h"
#include "trajectory_item.h"
#include "trajectory_preview_state.h"

namespace plexion {
namespace {

TEST(TrajectoryPreviewPlaySpeed, StartsAtOneAndStaysWithinAHundred) {
    CTrajectoryPreviewState preview;
    EXPECT_EQ(preview.PlaySpeed(), 1.0);
    EXPECT_EQ(preview.PlaySpeedText(), "100.00 %");
    preview.SetPlaySpeedPercent(20000);
    EXPECT_EQ(preview.PlaySpeed(), 100.0);
    EXPECT_EQ(preview.PlaySpeedText(), "10000.00 %");
    preview.SetPlaySpeedPercent(-250);
    EXPECT_EQ(preview.PlaySpeed(), -2.5);
    preview.SetPlaySpeed(-1e9);
    EXPECT_EQ(preview.PlaySpeed(), -100.0);
    preview.SetPlaySpeed(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(preview.PlaySpeed(), 0.0);
}

TEST(TrajectoryPreviewPlaySpeed, DraggingUpSpeedsUpAndDraggingDownReverses) {
    CTrajectoryPreviewState preview;
    preview.DragPlaySpeed(-50);
    EXPECT_DOUBLE_EQ(preview.PlaySpeed(), 1.5);
    preview.DragPlaySpeed(200);
    EXPECT_DOUBLE_EQ(preview.PlaySpeed(), -0.5);
    preview.DragPlaySpeed(-1000000);
    EXPECT_EQ(preview.PlaySpeed(), 100.0);
}

TEST(TrajectoryPreviewStep, MovesTheObjectByThePlaySpeedOnlyWhileShown) {
    CVKT_ResourceContainer document;
    auto* path = document.GetAt<CVKT_Trajectory>(document.New<CVKT_Trajectory>("p"));
    for (int i = 0; i < 4; ++i) {
        path->AddPoint(i, 0);
    }
    CTrajectoryPreviewState preview;
    preview.Cursor().SetResourceContainer(&document);
    preview.Cursor().SetTrajectoryIndex(0);
    preview.SetPlaySpeed(2.5);
    EXPECT_TRUE(preview.Step());
    EXPECT_EQ(preview.Cursor().Parameter(), 2.5);
    preview.SetInactive(true);
    EXPECT_FALSE(preview.Step());
    EXPECT_EQ(preview.Cursor().Parameter(), 2.5);
    preview.SetInactive(false);
    EXPECT_TRUE(preview.Step());
    EXPECT_EQ(preview.Cursor().Parameter(), 1.0);
}

TEST(TrajectoryPreviewStep, PlaysTheObjectsAnimationOneGameStepAtATime) {
    CVKT_ResourceContainer document;
    auto* walk = document.GetAt<CVKT_IndexList>(document.New<CVKT_IndexList>("walk"));
    walk->SetPlayMode(1);
    walk->AddFrame({0, 2, 0, 0});
    walk->AddFrame({1, 1, 0, 0});
    CTrajectoryPreviewState preview;
    preview.SetPlaySpeed(0.0);
    preview.ObjectAnimation().SetDocument(&document);
    preview.ObjectAnimation().SetAnimationIndex(0);
    preview.ObjectAnimation().Restart();
    std::vector<int> frames;
    for (int step = 0; step < 6; ++step) {
        EXPECT_TRUE(preview.Step());
        frames.push_back(preview.ObjectAnimation().GetCurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 0, 0, 1}));
    preview.SetInactive(true);
    EXPECT_FALSE(preview.Step());
    EXPECT_EQ(preview.ObjectAnimation().GetCurrentFrame(), 1);
    preview.ObjectAnimation().Stop();
    preview.SetInactive(false);
    EXPECT_FALSE(preview.Step());
}

}  // namespace
}  // namespace plexion
