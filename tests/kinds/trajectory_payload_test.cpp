#include <gtest/gtest.h>

#include "kinds_fixture.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

TEST(TrajectoryItem, EmptyTrajectoriesHaveUnitBoundsAndZeroCenter) {
    CVKT_Trajectory t;
    t.UpdateBounds();
    EXPECT_EQ(t.MinX(), 0.0);
    EXPECT_EQ(t.MaxX(), 0.0);
    EXPECT_EQ(t.MinY(), 1.0);
    EXPECT_EQ(t.MaxY(), 1.0);
    t.SetCenterOfMass(5, 5);
    t.UpdateCenterOfMass();
    EXPECT_EQ(t.CenterOfMass(), (CPathPoint{0, 0}));
}

TEST(TrajectoryItem, BoundsAndCenterAreRecomputedOnlyOnDemand) {
    CVKT_Trajectory t;
    t.AddPoint(0, 0);
    t.AddPoint(10, 0);
    t.AddPoint(10, 10);
    EXPECT_EQ(t.MaxX(), 0.0);
    t.UpdateBounds();
    t.UpdateCenterOfMass();
    EXPECT_EQ(t.MaxX(), 10.0);
    EXPECT_EQ(t.MaxY(), 10.0);
    EXPECT_DOUBLE_EQ(t.CenterOfMass().x, 20.0 / 3);
    EXPECT_EQ(t.Specifications(), "3 Points, 48 Bytes");
    t.SetType(2);
    t.SetCenterOfMass(1, 2);
    EXPECT_EQ(t.Specifications(), "3 Points, 48 Bytes, Mass Center[ 1.000, 2.000 ]");
    EXPECT_FALSE(t.SetPoint(3, 0, 0));
    EXPECT_EQ(CVKT_Trajectory::TypeName(1), "Polygon to CRgn");
}

TEST(TrajectoryItem, VersionTwoRoundTripsEveryField) {
    CVKT_ResourceContainer c;
    auto* t = c.GetAt<CVKT_Trajectory>(c.New<CVKT_Trajectory>("path"));
    t->SetType(1);
    t->SetPlayMode(5);
    t->SetOffsetX(-3);
    t->SetOffsetY(4);
    t->SetClosedShape(1);
    t->SetCenterOfMass(0.1, -0.2);
    for (int i = 0; i < 5000; ++i) {
        t->AddPoint(i * 0.5, -i / 3.0);
    }
    CVKT_ResourceContainer loaded;
    test::SaveAndReload(c, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* back = loaded.GetAt<CVKT_Trajectory>(0);
    EXPECT_EQ(back->Type(), 1);
    EXPECT_EQ(back->PlayMode(), 5);
    EXPECT_EQ(back->OffsetX(), -3);
    EXPECT_EQ(back->OffsetY(), 4);
    EXPECT_EQ(back->ClosedShape(), 1);
    EXPECT_EQ(back->CenterOfMass(), (CPathPoint{0.1, -0.2}));
    ASSERT_EQ(back->Count(), 5000);
    EXPECT_EQ(back->GetPoint(4999), t->GetPoint(4999));
    EXPECT_EQ(back->MinY(), -4999 / 3.0);
}

TEST(TrajectoryItem, VersionOneReadsWithoutShapeFieldsAndComputesTheCenter) {
    const auto bytes = test::OneItemDocument("VKRTRAJ", "old", [](CArchive& a) {
        for (std::int32_t v : {0, 1, 0, 0, 7, 8, 3}) {
            a.WriteInt32(v);
        }
        for (double v : {0.0, 0.0, 10.0, 0.0, 10.0, 10.0}) {
            a.WriteFloat64(v);
        }
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    const auto* t = c.GetAt<CVKT_Trajectory>(0);
    EXPECT_EQ(t->ClosedShape(), 0);
    EXPECT_EQ(t->OffsetX(), 7);
    EXPECT_DOUBLE_EQ(t->CenterOfMass().x, 20.0 / 3);
    EXPECT_DOUBLE_EQ(t->CenterOfMass().y, 10.0 / 3);
    EXPECT_EQ(t->MaxX(), 10.0);
}

TEST(TrajectoryItem, PointCountsBeyondTheFileAreRefused) {
    const auto bytes = test::OneItemDocument("VKRTRAJ", "t", [](CArchive& a) {
        for (std::int32_t v : {0, 1, 0, 0, 0, 0, 0x08000000}) {
            a.WriteInt32(v);
        }
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
}

}  // namespace
}  // namespace plexion
