#include <gtest/gtest.h>

#include <QImage>
#include <limits>

#include "path_painting.h"
#include "trajectory_fixtures.h"

namespace plexion::test {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kShape = 0xFF0000FF;

class PathPainting : public ::testing::Test {
protected:
    // Paints `path` of `type` with path (0, 0) at image pixel (5, 5).
    void Paint(const CVKT_Trajectory& path, int type, bool endsOnly = false) {
        image_.fill(kWhite);
        CPathPicture picture;
        picture.points = path.Points();
        picture.type = type;
        picture.origin = QPoint(5, 5);
        picture.centerOfMass = path.CenterOfMass();
        picture.shapeColor = QColor::fromRgb(kShape);
        picture.endsOnly = endsOnly;
        PaintPath(image_, picture);
    }
    // The pixel of path coordinate (x, y).
    QRgb At(int x, int y) const { return image_.pixel(x + 5, y + 5); }

    QImage image_{80, 60, QImage::Format_ARGB32_Premultiplied};
};

TEST_F(PathPainting, SimplePointsAreALineWithABoxOnEachPointGreenFirstAndRedLast) {
    const CPath path({{10, 10}, {30.4, 10}, {29.5, 30}});
    Paint(path, CVKT_Trajectory::kTypeSimplePoints);
    EXPECT_EQ(At(10, 10), kGreen);
    EXPECT_EQ(At(8, 8), kBlack);    // the first box's corner
    EXPECT_EQ(At(20, 10), kBlack);  // the line
    EXPECT_EQ(At(30, 12), kBlack);  // the middle box: 30.4 rounds to 30
    EXPECT_EQ(At(32, 8), kBlack);
    EXPECT_EQ(At(30, 30), kRed);  // 29.5 rounds away from zero
    EXPECT_EQ(At(28, 32), kBlack);
    EXPECT_EQ(At(20, 20), kWhite);
    EXPECT_EQ(At(34, 10), kWhite);

    Paint(path, CVKT_Trajectory::kTypeSimplePoints, true);
    EXPECT_EQ(At(10, 10), kGreen);
    EXPECT_EQ(At(30, 30), kRed);
    EXPECT_EQ(At(20, 10), kWhite);
    EXPECT_EQ(At(32, 8), kWhite);

    Paint(CPath({{12, 4}}), CVKT_Trajectory::kTypeSimplePoints);
    EXPECT_EQ(At(12, 4), kRed);
    EXPECT_EQ(At(10, 2), kBlack);
}

TEST_F(PathPainting, ShapesAreFilledAtHalfOpacityAndCollisionShapesShowTheirPointsAndCenter) {
    CPath square({{10, 10}, {40, 10}, {40, 40}, {10, 40}});
    square.SetCenterOfMass(25, 25);
    Paint(square, CVKT_Trajectory::kTypePolygon);
    const QRgb half = At(20, 30);
    EXPECT_NEAR(qRed(half), 127, 1);
    EXPECT_NEAR(qGreen(half), 127, 1);
    EXPECT_EQ(qBlue(half), 255);
    EXPECT_EQ(At(9, 10), kWhite);
    EXPECT_EQ(At(25, 25), half);  // no center for a plain polygon

    Paint(square, CVKT_Trajectory::kTypeCollisionTest);
    EXPECT_EQ(At(15, 35), half);
    EXPECT_EQ(At(9, 10), kShape);  // the mark's left pixel, outside the fill
    EXPECT_EQ(At(10, 9), kShape);
    EXPECT_EQ(At(9, 9), kWhite);
    EXPECT_EQ(At(25, 25), kShape);  // the center's frame, filled
    EXPECT_EQ(At(24, 24), kShape);
    EXPECT_NE(At(20, 25), kShape);  // its raised edge
    EXPECT_NE(At(30, 25), kShape);
    EXPECT_EQ(At(31, 25), half);

    Paint(square, CVKT_Trajectory::kTypeCollisionTest, true);
    EXPECT_EQ(At(20, 30), kWhite);
    EXPECT_EQ(At(10, 10), kGreen);
    EXPECT_EQ(At(10, 40), kRed);
}

TEST_F(PathPainting, PathsReachingFarBeyondTheImageAreClippedAndPointsThatAreNoNumberLeftOut) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    Paint(CPath({{-1e12, 20}, {1e12, 20}, {kNaN, 3}, {5, kNaN}}),
          CVKT_Trajectory::kTypeSimplePoints);
    EXPECT_EQ(At(0, 20), kBlack);
    EXPECT_EQ(At(60, 20), kBlack);
    EXPECT_EQ(At(60, 21), kWhite);

    Paint(CPath({{-1e9, -1e9}, {1e9, -1e9}, {kNaN, 0}, {0, 1e9}}), CVKT_Trajectory::kTypePolygon);
    EXPECT_NE(At(0, 0), kWhite);
    EXPECT_NE(At(30, 40), kWhite);
    // An even-odd shape keeps its hole however large it is.
    Paint(CPath({{-1e9, -1e9},
                 {1e9, -1e9},
                 {1e9, 1e9},
                 {-1e9, 1e9},
                 {-1e9, -1e9},
                 {10, 10},
                 {10, 30},
                 {30, 30},
                 {30, 10},
                 {10, 10}}),
          CVKT_Trajectory::kTypePolygon);
    EXPECT_NE(At(0, 0), kWhite);
    EXPECT_EQ(At(20, 20), kWhite);
}

}  // namespace
}  // namespace plexion::test
