#pragma once

#include <initializer_list>
#include <vector>

#include "trajectory_item.h"

namespace plexion::test {

inline void SetPoints(CVKT_Trajectory& trajectory, std::initializer_list<CPathPoint> points) {
    trajectory.RemoveAllPoints();
    for (const CPathPoint& p : points) {
        trajectory.AddPoint(p.x, p.y);
    }
}

// A trajectory made of the given points.
class CPath : public CVKT_Trajectory {
public:
    explicit CPath(std::initializer_list<CPathPoint> points) { SetPoints(*this, points); }
};

inline std::vector<CPathPoint> PointsOf(const CVKT_Trajectory& trajectory) {
    std::vector<CPathPoint> points;
    for (int i = 0; i < trajectory.Count(); ++i) {
        points.push_back(trajectory.GetPoint(i));
    }
    return points;
}

}  // namespace plexion::test
