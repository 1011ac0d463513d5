#pragma once

#include <QColor>
#include <QPointF>
#include <span>

#include "trajectory_item.h"

class QImage;

namespace plexion {

// What the trajectory preview draws of a path.
struct CPathPicture {
    std::span<const CPathPoint> points;
    // The trajectory's type: 0 a line through the points with a box on each,
    // 1 a filled polygon, 2 a filled polygon with each point marked and the
    // center of mass framed.
    int type = 0;
    // The image pixel of path coordinate (0, 0): the world origin moved by
    // the trajectory's offset (whole pixels, kept as reals so that no sum
    // of far-off coordinates can overflow).
    QPointF origin;
    CPathPoint centerOfMass;
    // The interface colour of shapes and point marks.
    QColor shapeColor;
    // Only the boxes of the first and the last point, whatever the type.
    bool endsOnly = false;
};

// Draws the path onto a 32-bit `image`, which no painter may hold meanwhile.
// Points are rounded to whole pixels half away from zero. Only what lies in
// the image is drawn: segments and shapes reaching far beyond it are
// clipped first, so no coordinate, however large, is handed to the painter,
// and the point marks are set pixel by pixel, so a path of many points
// draws about as fast as a plain line through them.
void PaintPath(QImage& image, const CPathPicture& picture);

}  // namespace plexion
