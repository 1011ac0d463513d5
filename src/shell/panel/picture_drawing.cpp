#include "picture_drawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "bitmap_item.h"
#include "color_conversion.h"
#include "pixel_lines.h"

namespace plexion {
namespace {

// Offsets come from files and may be anything: no number places a picture
// at 0, and far places stop where no painter reaches, so that zoomed
// positions stay inside int.
int PlanePixel(double position) {
    constexpr double kFar = 1 << 24;
    return std::isnan(position) ? 0
                                : static_cast<int>(std::clamp(std::floor(position), -kFar, kFar));
}

QPoint PlaneCorner(const CVKT_Bitmap& bitmap, QPointF at) {
    return {PlanePixel(at.x() + bitmap.OffsetX()), PlanePixel(at.y() + bitmap.OffsetY())};
}

int Scaled(int length, double zoom) {
    return static_cast<int>(std::lround(length * zoom));
}

// Bitmaps without a decoded picture (regions, buffers) draw themselves on a
// painter that carries the zoom.
void DrawThroughBitmap(QPainter& painter, const CPicturePlacement& placement,
                       const CVKT_Bitmap& bitmap, QPointF at) {
    painter.save();
    painter.translate(placement.origin);
    painter.scale(placement.zoom, placement.zoom);
    bitmap.Draw(painter, at.x(), at.y());
    painter.restore();
}

}  // namespace

QRect PictureRect(const CPicturePlacement& placement, const CVKT_Bitmap& bitmap, QPointF at) {
    const QPoint corner = PlaneCorner(bitmap, at);
    const int width = PlanePixel(bitmap.DisplayWidth());
    const int height = PlanePixel(bitmap.DisplayHeight());
    return {placement.origin.x() + Scaled(corner.x(), placement.zoom),
            placement.origin.y() + Scaled(corner.y(), placement.zoom),
            Scaled(width, placement.zoom), Scaled(height, placement.zoom)};
}

void DrawPicture(QPainter& painter, const CPicturePlacement& placement, const CVKT_Bitmap& bitmap,
                 QPointF at, const QRect& clip) {
    const QImage* image = bitmap.Image();
    if (bitmap.GetKind() != CVKT_Bitmap::kKindImage || image == nullptr) {
        DrawThroughBitmap(painter, placement, bitmap, at);
        return;
    }
    const double zoom = placement.zoom;
    const QPoint corner = PlaneCorner(bitmap, at);
    const QPointF topLeft = QPointF(placement.origin) + QPointF(corner) * zoom;
    // The picture's pixels under the clip, widened to whole pixels.
    const QPointF from = (QPointF(clip.topLeft()) - topLeft) / zoom;
    const QPointF to =
        (QPointF(clip.topLeft() + QPoint(clip.width(), clip.height())) - topLeft) / zoom;
    const QRect visible =
        QRect(QPoint(static_cast<int>(std::floor(std::max(from.x(), -1.0))),
                     static_cast<int>(std::floor(std::max(from.y(), -1.0)))),
              QPoint(static_cast<int>(std::ceil(std::min(to.x(), double(image->width())))),
                     static_cast<int>(std::ceil(std::min(to.y(), double(image->height()))))))
            .intersected(image->rect());
    if (visible.isEmpty()) {
        return;
    }
    const QRectF target(topLeft + QPointF(visible.topLeft()) * zoom, QSizeF(visible.size()) * zoom);
    // The one hint changed is put back by hand: a saved and restored painter
    // state costs more than a small picture's pixels.
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom < 1.0);
    if (placement.view == AlphaView::Normal) {
        painter.drawImage(target, *image, QRectF(visible));
    } else {
        const QImage shown = AlphaViewImage(*image, placement.view, visible);
        painter.drawImage(target, shown, QRectF(shown.rect()));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

QColor TranslucentInterfaceColor(InterfaceColor entry, int alpha) {
    QColor color = InterfaceQColor(entry);
    color.setAlpha(alpha);
    return color;
}

void DrawPictureOutline(const CPixelLines& lines, const QRect& covered, const QColor& color) {
    const int left = covered.left() - 1;
    const int top = covered.top() - 1;
    const int right = covered.left() + covered.width();
    const int bottom = covered.top() + covered.height();
    const int across = right - left + 1;
    lines.Fill(QRect(left, top, across, 1), color);
    lines.Fill(QRect(left, bottom, across, 1), color);
    lines.Fill(QRect(left, top + 1, 1, bottom - top - 1), color);
    lines.Fill(QRect(right, top + 1, 1, bottom - top - 1), color);
}

void DrawOriginLines(const CPixelLines& lines, QPoint origin, const QRect& area,
                     const QColor& color) {
    lines.Fill(QRect(origin.x() - 1, area.top(), 1, area.height()), color);
    lines.Fill(QRect(area.left(), origin.y() - 1, area.width(), 1), color);
}

}  // namespace plexion
