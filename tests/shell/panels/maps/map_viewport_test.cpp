#include <gtest/gtest.h>

#include "map_viewport.h"

namespace plexion {
namespace {

// A map of 1000 x 600 pixels in a view of 200 x 100.
class MapViewport : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetMapSize(QSizeF(1000, 600));
        view.SetViewSize(QSizeF(200, 100));
    }
    CMapViewport view;
};

TEST_F(MapViewport, ScrollingStaysOverTheMapInWholePixels) {
    EXPECT_TRUE(view.SetScroll(QPointF(300.4, 50.6)));
    EXPECT_EQ(view.Scroll(), QPointF(300, 51));
    EXPECT_EQ(view.ToMap(QPointF(10, 10)), QPointF(310, 61));
    EXPECT_FALSE(view.SetScroll(QPointF(300, 51)));
    view.SetScroll(QPointF(5000, -20));
    EXPECT_EQ(view.Scroll(), QPointF(800, 0));
    // A map smaller than the view does not scroll at all.
    view.SetMapSize(QSizeF(150, 80));
    EXPECT_EQ(view.Scroll(), QPointF(0, 0));
    EXPECT_FALSE(view.SetScroll(QPointF(10, 10)));
}

TEST_F(MapViewport, ZoomKeepsThePointUnderTheAnchorAndStaysInItsRange) {
    view.SetScroll(QPointF(100, 100));
    const QPointF anchor(50, 40);
    const QPointF kept = view.ToMap(anchor);
    EXPECT_TRUE(view.SetZoom(2.0, anchor));
    EXPECT_EQ(view.ContentSize(), QSizeF(2000, 1200));
    EXPECT_EQ(view.ToMap(anchor), kept);
    EXPECT_EQ(view.ToView(QRectF(kept, QSizeF(4, 4))), QRectF(anchor, QSizeF(8, 8)));
    view.SetZoom(100.0, anchor);
    EXPECT_EQ(view.Zoom(), CMapViewport::kMaxZoom);
    view.SetZoom(0.0, anchor);
    EXPECT_EQ(view.Zoom(), CMapViewport::kMinZoom);
    EXPECT_FALSE(view.SetZoom(0.1, anchor));
}

TEST_F(MapViewport, TheZoomLadderRunsFromAQuarterToEightTimes) {
    struct Case {
        double zoom;
        int steps;
        double result;
    };
    for (const Case& c : {Case{1.0, 1, 1.5}, Case{1.0, -1, 0.75}, Case{0.25, -1, 0.25},
                          Case{8.0, 2, 8.0}, Case{1.5, 3, 4.0}, Case{0.5, -5, 0.25}}) {
        view.SetZoom(c.zoom, QPointF());
        EXPECT_EQ(view.SteppedZoom(c.steps), c.result) << c.zoom << " " << c.steps;
    }
}

TEST_F(MapViewport, AViewRectangleShowsTheWholeMapPixelsItTouches) {
    view.SetZoom(4.0, QPointF());
    view.SetScroll(QPointF(402, 0));
    // View pixels 0..5 show map x 100.5 to 102.
    EXPECT_EQ(view.MapRectOf(QRect(0, 0, 6, 4)), QRect(100, 0, 2, 1));
    view.SetZoom(0.25, QPointF());
    view.SetScroll(QPointF(0, 0));
    EXPECT_EQ(view.MapRectOf(QRect(1, 1, 2, 2)), QRect(4, 4, 8, 8));
}

}  // namespace
}  // namespace plexion
