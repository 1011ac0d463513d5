#include <gtest/gtest.h>

#include "kinds_fixture.h"
#include "resource_container.h"
#include "trajectory_fixtures.h"

namespace plexion {
namespace {

// Paths reshaped by each operation come back from a saved document exactly,
// with the same positions and freshly read bounds.
TEST(TrajectoryRoundTrip, ReshapedPathsReadBackExactly) {
    CVKT_ResourceContainer document;
    const auto add = [&](const char* id) {
        auto* path = document.GetAt<CVKT_Trajectory>(document.New<CVKT_Trajectory>(id));
        for (int i = 0; i < 50; ++i) {
            path->AddPoint(i * 1.7, (i % 7) * -2.3);
        }
        path->SetOffsetX(12);
        path->SetOffsetY(-40);
        path->SetType(2);
        path->SetPlayMode(3);
        return path;
    };
    add("noise")->AddNoise(3.0, 1234);
    add("quantify")->Quantify(0.7);
    add("smooth")->Smooth(6);
    add("resample")->Resample(2.5);
    CVKT_Trajectory* center = add("center");
    center->SetClosedShape(1);
    center->UpdateCenterOfMass();

    CVKT_ResourceContainer loaded;
    test::SaveAndReload(document, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    ASSERT_EQ(loaded.Count<CVKT_Trajectory>(), 5);
    for (int index = 0; index < 5; ++index) {
        CVKT_Trajectory* saved = document.GetAt<CVKT_Trajectory>(index);
        const CVKT_Trajectory* back = loaded.GetAt<CVKT_Trajectory>(index);
        SCOPED_TRACE(saved->ID());
        EXPECT_EQ(test::PointsOf(*back), test::PointsOf(*saved));
        EXPECT_EQ(back->CenterOfMass(), saved->CenterOfMass());
        EXPECT_EQ(back->ClosedShape(), saved->ClosedShape());
        EXPECT_EQ(back->Specifications(), saved->Specifications());
        for (double t : {-0.5, 0.0, 3.25, 17.9, 49.0, 80.0}) {
            EXPECT_EQ(back->XAt(t), saved->XAt(t));
            EXPECT_EQ(back->YAt(t), saved->YAt(t));
        }
        saved->UpdateBounds();
        EXPECT_EQ(back->MinX(), saved->MinX());
        EXPECT_EQ(back->MaxX(), saved->MaxX());
        EXPECT_EQ(back->MinY(), saved->MinY());
        EXPECT_EQ(back->MaxY(), saved->MaxY());
    }
    EXPECT_GT(loaded.GetAt<CVKT_Trajectory>(3)->Count(), 10);
    EXPECT_EQ(loaded.GetAt<CVKT_Trajectory>(4)->ClosedShape(), 1);
}

}  // namespace
}  // namespace plexion
