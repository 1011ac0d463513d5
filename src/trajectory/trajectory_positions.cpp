#include <algorithm>
#include <cmath>
#include <limits>

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
    const int count = Count();
    if (count == 0) {
        return {};
    }
    // Truncation toward zero: a parameter between -1 and 0 stays on the first
    // segment with a negative fraction. Comparing before converting keeps a
    // huge or undefined parameter from overflowing the index.
    const double whole = std::trunc(parameter);
    if (count == 1 || std::isnan(parameter) || whole < 0.0) {
        return points_[0];
    }
    if (whole >= count - 1) {
        return points_[count - 1];
    }
    const int k = static_cast<int>(whole);
    const double f = parameter - whole;
    const CPathPoint& a = points_[k];
    const CPathPoint& b = points_[k + 1];
    return {a.x * (1 - f) + f * b.x, a.y * (1 - f) + f * b.y};
}

double CVKT_Trajectory::XInRange(double parameter, double low, double high) const {
    return MapIntoRange(RawXAt(parameter), minX_, maxX_, low, high);
}

double CVKT_Trajectory::YInRange(double parameter, double low, double high) const {
    return MapIntoRange(RawYAt(parameter), minY_, maxY_, low, high);
}

}  // namespace plexion
