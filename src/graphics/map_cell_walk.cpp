#include "map_cell_walk.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "map_item.h"

namespace plexion::map_cells {
namespace {

// Narrows the segment p(t) = from + t (to - from), 0 <= t <= 1, to the part
// inside 0 <= p < extent along one axis. False when nothing is left.
bool ClipAxis(double from, double to, double extent, double& tLow, double& tHigh) {
    const double delta = to - from;
    if (delta == 0.0) {
        return from >= 0.0 && from < extent;
    }
    double enter = (0.0 - from) / delta;
    double leave = (extent - from) / delta;
    if (enter > leave) {
        std::swap(enter, leave);
    }
    tLow = std::max(tLow, enter);
    tHigh = std::min(tHigh, leave);
    return tLow <= tHigh;
}

}  // namespace

std::vector<CCell> AlongSegment(const CVKT_Map& map, double fromX, double fromY, double toX,
                                double toY) {
    std::vector<CCell> cells;
    if (map.SizeX() < 1 || map.SizeY() < 1 || map.Columns() < 1 || map.Lines() < 1 ||
        !std::isfinite(fromX) || !std::isfinite(fromY) || !std::isfinite(toX) ||
        !std::isfinite(toY)) {
        return cells;
    }
    // In cell units, clipped to the map, so the walk never leaves it and
    // never runs longer than the map is wide and high.
    const double x0 = fromX / map.SizeX();
    const double y0 = fromY / map.SizeY();
    const double dx = toX / map.SizeX() - x0;
    const double dy = toY / map.SizeY() - y0;
    double tLow = 0.0;
    double tHigh = 1.0;
    if (!ClipAxis(x0, x0 + dx, map.Columns(), tLow, tHigh) ||
        !ClipAxis(y0, y0 + dy, map.Lines(), tLow, tHigh)) {
        return cells;
    }
    const auto cellOf = [](double position, int count) {
        return std::clamp(static_cast<int>(std::floor(position)), 0, count - 1);
    };
    CCell cell{cellOf(x0 + tLow * dx, map.Columns()), cellOf(y0 + tLow * dy, map.Lines())};
    const CCell last{cellOf(x0 + tHigh * dx, map.Columns()), cellOf(y0 + tHigh * dy, map.Lines())};
    // The walk of Amanatides and Woo: step into whichever neighbour the
    // segment reaches first.
    constexpr double kNever = std::numeric_limits<double>::infinity();
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    const double tDeltaX = dx != 0.0 ? std::abs(1.0 / dx) : kNever;
    const double tDeltaY = dy != 0.0 ? std::abs(1.0 / dy) : kNever;
    double tNextX = dx != 0.0 ? (cell.column + (stepX > 0 ? 1 : 0) - x0) / dx : kNever;
    double tNextY = dy != 0.0 ? (cell.line + (stepY > 0 ? 1 : 0) - y0) / dy : kNever;
    const int steps = std::abs(last.column - cell.column) + std::abs(last.line - cell.line);
    cells.reserve(static_cast<std::size_t>(steps) + 1);
    cells.push_back(cell);
    for (int step = 0; step < steps; ++step) {
        const bool moveX =
            cell.column != last.column && (cell.line == last.line || tNextX < tNextY);
        if (moveX) {
            cell.column += stepX;
            tNextX += tDeltaX;
        } else {
            cell.line += stepY;
            tNextY += tDeltaY;
        }
        cells.push_back(cell);
    }
    return cells;
}

}  // namespace plexion::map_cells
