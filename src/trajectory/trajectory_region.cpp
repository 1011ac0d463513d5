#include "trajectory_region.h"

#include <QPolygon>
#include <QRegion>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "bitmap_item.h"
#include "resource_container.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

constexpr const char* kCommentsStart = "Trajectories: ";
constexpr const char* kIdSeparator = ", ";
// The coordinate limit of every region in the system: far beyond any game
// world, and near enough that no width or height overflows.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 29;
// Qt makes an empty region (and loses memory) for a polygon taller than this
// instead of failing; such shapes are refused rather than silently lost.
constexpr int kMaxPolygonHeight = 100000;
// A polygon region costs at least one rectangle for every pixel line an edge
// crosses; this many crossings is a few hundred MiB of rectangles at most.
constexpr std::int64_t kCrossingBudget = std::int64_t{1} << 24;

// The closed polygon of a shape's points, or nullopt when one of them lies
// beyond the coordinate limit (or is not a number).
std::optional<QPolygon> PolygonOf(const CVKT_Trajectory& trajectory) {
    constexpr double kLimit = kCoordinateLimit;
    QPolygon polygon;
    polygon.reserve(trajectory.Count() + 1);
    for (int i = 0; i < trajectory.Count(); ++i) {
        const CPathPoint p = trajectory.GetPoint(i);
        if (!(std::fabs(p.x) <= kLimit && std::fabs(p.y) <= kLimit)) {
            return std::nullopt;
        }
        polygon << QPoint(static_cast<int>(p.x), static_cast<int>(p.y));
    }
    polygon << polygon.front();
    return polygon;
}

std::int64_t LineCrossings(const QPolygon& polygon) {
    std::int64_t crossings = 0;
    for (qsizetype i = 1; i < polygon.size(); ++i) {
        crossings += std::llabs(std::int64_t{polygon[i].y()} - polygon[i - 1].y());
    }
    return crossings;
}

}  // namespace

CRegionConversion ConvertTrajectoriesToRegion(CVKT_ResourceContainer& resources,
                                              const std::vector<int>& selection) {
    CRegionConversion conversion;
    std::string comments = kCommentsStart;
    std::vector<QPolygon> polygons;
    std::int64_t crossings = 0;
    for (int index : selection) {
        const CVKT_Trajectory* trajectory = resources.GetAt<CVKT_Trajectory>(index);
        if (!trajectory) {
            continue;
        }
        comments += trajectory->ID() + kIdSeparator;
        if (trajectory->Count() <= 2) {
            continue;
        }
        std::optional<QPolygon> polygon = PolygonOf(*trajectory);
        if (!polygon) {
            conversion.problem = "the trajectory \"" + trajectory->ID() + "\" has a point beyond " +
                                 std::to_string(kCoordinateLimit) +
                                 " pixels and cannot be a region";
            return conversion;
        }
        if (polygon->boundingRect().height() - 1 > kMaxPolygonHeight) {
            conversion.problem = "the trajectory \"" + trajectory->ID() + "\" is taller than " +
                                 std::to_string(kMaxPolygonHeight) +
                                 " pixels and cannot be a region";
            return conversion;
        }
        crossings += LineCrossings(*polygon);
        if (crossings > kCrossingBudget) {
            conversion.problem = "the selected trajectories cross more than " +
                                 std::to_string(kCrossingBudget) +
                                 " pixel lines in all, too many for a region";
            return conversion;
        }
        polygons.push_back(std::move(*polygon));
    }
    QRegion united;
    for (const QPolygon& polygon : polygons) {
        united = united.united(QRegion(polygon, Qt::OddEvenFill));
    }
    comments.resize(comments.size() - std::string(kIdSeparator).size());
    conversion.bitmapIndex = resources.New<CVKT_Bitmap>(kNewRegionId);
    CVKT_Bitmap* bitmap = resources.GetAt<CVKT_Bitmap>(conversion.bitmapIndex);
    if (!bitmap) {
        conversion.problem = "cannot add a bitmap";
        return conversion;
    }
    bitmap->SetRegion(united);
    bitmap->SetComments(comments);
    return conversion;
}

}  // namespace plexion
