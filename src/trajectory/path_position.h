#pragma once

#include "trajectory_item.h"

namespace plexion {

// The position at a path parameter on `count` points (without any offset).
// Inline because resampling asks for it a hundred times per point.
inline CPathPoint PathPositionAt(const CPathPoint* points, int count, double parameter) {
    if (count == 0) {
        return {};
    }
    // The index is the parameter truncated toward zero: every parameter not
    // above -1 (and one that is not a number) is held at the first point, and
    // one between -1 and 0 stays on the first segment with a negative
    // fraction. Comparing before converting keeps a huge parameter from
    // overflowing the index.
    if (count == 1 || !(parameter > -1.0)) {
        return points[0];
    }
    if (parameter >= count - 1) {
        return points[count - 1];
    }
    const int k = static_cast<int>(parameter);
    const double f = parameter - k;
    const CPathPoint& a = points[k];
    const CPathPoint& b = points[k + 1];
    return {a.x * (1 - f) + f * b.x, a.y * (1 - f) + f * b.y};
}

}  // namespace plexion
