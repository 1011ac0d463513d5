#pragma once

#include <span>
#include <vector>

#include "trajectory_item.h"

namespace plexion {

// A change of a shown path made with the mouse: a stroke that draws new
// points at the end of the path, or a drag that moves one point. While the
// button is held the change is kept here, on a copy of the points, so that
// it reaches the document as one edit when the button is released.
class CPathGesture {
public:
    // A stroke over the path `points` as it is now.
    static CPathGesture Stroke(std::span<const CPathPoint> points);
    // A drag of point `index` of `points`; the point has not moved yet.
    static CPathGesture Drag(std::span<const CPathPoint> points, int index);

    bool IsStroke() const { return dragged_ < 0; }
    int DraggedPoint() const { return dragged_; }

    // Stroke: appends `point` when the path has no points or its last point
    // is another one; whether it did.
    bool Draw(CPathPoint point);
    // Drag: puts the dragged point `delta` away from where it was, so that
    // it keeps its distance from the pointer that grabbed it.
    void MoveBy(CPathPoint delta);

    // The path as the gesture has made it so far.
    std::span<const CPathPoint> Points() const { return points_; }
    // Makes the same change in `trajectory`; false when there is none to
    // make (nothing drawn, a point dropped where it was, or a dragged point
    // the trajectory no longer has).
    bool ApplyTo(CVKT_Trajectory& trajectory) const;

private:
    CPathGesture(std::span<const CPathPoint> points, int dragged);

    std::vector<CPathPoint> points_;
    std::size_t startCount_;
    int dragged_;
    CPathPoint draggedFrom_;
};

// The point drawn at the whole pixel `pixel` (in path coordinates): the last
// one, since later points are drawn over earlier ones, whose rounded position
// lies within `reach` pixels on both axes, as a point's box is drawn; -1 when
// none does.
int PointAtPixel(std::span<const CPathPoint> points, int pixelX, int pixelY, int reach);

}  // namespace plexion
