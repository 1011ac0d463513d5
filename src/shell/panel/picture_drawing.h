#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include "alpha_views.h"
#include "interface_colors.h"

class QPainter;

namespace plexion {

class CPixelLines;
class CVKT_Bitmap;

// How a picture plane lies on a painter: the painter point of the plane's
// origin, the size of one picture pixel, and how transparency is shown.
struct CPicturePlacement {
    QPoint origin;
    double zoom = 1.0;
    AlphaView view = AlphaView::Normal;
};

// The painter rectangle `bitmap` covers when it is placed at plane point `at`
// (its own offsets are added and the sum taken to the whole pixel at or
// before it), with its display size.
QRect PictureRect(const CPicturePlacement& placement, const CVKT_Bitmap& bitmap, QPointF at);
// Draws `bitmap` placed at `at`. Of a decoded picture only the pixels that
// fall inside `clip` are converted and drawn, so a large picture zoomed in
// costs what its visible part costs; below 100 % it is smoothed, above it
// each pixel stays a sharp square.
void DrawPicture(QPainter& painter, const CPicturePlacement& placement, const CVKT_Bitmap& bitmap,
                 QPointF at, const QRect& clip);
// The current colour of an interface entry at `alpha` of 255.
QColor TranslucentInterfaceColor(InterfaceColor entry, int alpha);
// A one-pixel frame just outside `covered`, each pixel painted once so that
// a translucent colour stays even.
void DrawPictureOutline(const CPixelLines& lines, const QRect& covered, const QColor& color);
// The horizontal and vertical lines through the pixels just before `origin`,
// across `area`.
void DrawOriginLines(const CPixelLines& lines, QPoint origin, const QRect& area,
                     const QColor& color);

}  // namespace plexion
