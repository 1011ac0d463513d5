#include <algorithm>
#include <cmath>
#include <limits>

#include "path_position.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// `value` placed in [low, high] as it lies in [minimum, maximum].
double MapIntoRange(double value, double minimum, double maximum, double low, double high) {
    if (std::isnan(low) || std::isnan(high)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double extent = maximum - minimum;
    if (!(extent > 0.0) || !std::isfinite(extent)) {
        return (low + high) / 2.0;
    }
    const double mapped = low + (value - minimum) / extent * (high - low);
    return std::clamp(mapped, std::min(low, high), std::max(low, high));
}

}  // namespace

CPathPoint CVKT_Trajectory::RawPositionAt(double parameter) const {
    return PathPositionAt(points_.Data(), Count(), parameter);
}

double CVKT_Trajectory::XInRange(double parameter, double low, double high) const {
    return MapIntoRange(RawXAt(parameter), bounds_.minX, bounds_.maxX, low, high);
}

double CVKT_Trajectory::YInRange(double parameter, double low, double high) const {
    return MapIntoRange(RawYAt(parameter), bounds_.minY, bounds_.maxY, low, high);
}

}  // namespace plexion
