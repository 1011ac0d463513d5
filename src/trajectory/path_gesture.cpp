#include "path_gesture.h"

#include <cmath>
#include <cstdlib>

namespace plexion {

CPathGesture::CPathGesture(std::span<const CPathPoint> points, int dragged)
    : points_(points.begin(), points.end()),
      startCount_(points.size()),
      dragged_(dragged),
      draggedFrom_(dragged >= 0 ? points[static_cast<std::size_t>(dragged)] : CPathPoint{}) {}

CPathGesture CPathGesture::Stroke(std::span<const CPathPoint> points) {
    return CPathGesture(points, -1);
}

CPathGesture CPathGesture::Drag(std::span<const CPathPoint> points, int index) {
    return CPathGesture(points,
                        index >= 0 && static_cast<std::size_t>(index) < points.size() ? index : -1);
}

bool CPathGesture::Draw(CPathPoint point) {
    if (!IsStroke() || (!points_.empty() && points_.back() == point)) {
        return false;
    }
    points_.push_back(point);
    return true;
}

void CPathGesture::MoveBy(CPathPoint delta) {
    if (!IsStroke()) {
        points_[static_cast<std::size_t>(dragged_)] = {draggedFrom_.x + delta.x,
                                                       draggedFrom_.y + delta.y};
    }
}

bool CPathGesture::ApplyTo(CVKT_Trajectory& trajectory) const {
    if (IsStroke()) {
        for (std::size_t i = startCount_; i < points_.size(); ++i) {
            trajectory.AddPoint(points_[i].x, points_[i].y);
        }
        return points_.size() > startCount_;
    }
    const CPathPoint to = points_[static_cast<std::size_t>(dragged_)];
    return !(to == draggedFrom_) && trajectory.SetPoint(dragged_, to.x, to.y);
}

int PointAtPixel(std::span<const CPathPoint> points, int pixelX, int pixelY, int reach) {
    for (std::size_t i = points.size(); i-- > 0;) {
        // Compared as reals: a point too far away to be an int is never hit.
        if (std::fabs(std::round(points[i].x) - pixelX) <= reach &&
            std::fabs(std::round(points[i].y) - pixelY) <= reach) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace plexion
