#include "wmf_painter_canvas.h"

#include <algorithm>
#include <cmath>

#include "decode_limits.h"
#include "wmf_library.h"

namespace plexion {
namespace {

// Hostile files put shapes anywhere; coordinates are held well inside what
// the rasteriser handles exactly. Nothing this far out is visible anyway.
constexpr double kCoordinateLimit = 1 << 20;

double Tame(double value) {
    return std::isfinite(value) ? std::clamp(value, -kCoordinateLimit, kCoordinateLimit) : 0.0;
}

}  // namespace

QRect ToPixelRect(const QRectF& rect) {
    const QRectF tame = rect.normalized();
    return QRect(QPoint(static_cast<int>(std::lround(Tame(tame.left()))),
                        static_cast<int>(std::lround(Tame(tame.top())))),
                 QPoint(static_cast<int>(std::lround(Tame(tame.right()))) - 1,
                        static_cast<int>(std::lround(Tame(tame.bottom()))) - 1));
}

CWmfCanvas::CWmfCanvas(const wmfD_Rect& frame, QSize size)
    : image_(size, QImage::Format_ARGB32_Premultiplied), floodBudget_(kMaxFloodPixels) {
    const double width = double(frame.BR.x) - frame.TL.x;
    const double height = double(frame.BR.y) - frame.TL.y;
    if (image_.isNull() || !std::isfinite(width) || !std::isfinite(height) || width <= 0 ||
        height <= 0) {
        return;
    }
    left_ = frame.TL.x;
    top_ = frame.TL.y;
    scaleX_ = size.width() / width;
    scaleY_ = size.height() / height;
    valid_ = std::isfinite(scaleX_) && std::isfinite(scaleY_) && scaleX_ > 0 && scaleY_ > 0;
    image_.fill(Qt::transparent);
}

void CWmfCanvas::Begin() {
    if (!valid_ || painter_.isActive() || !painter_.begin(&image_)) {
        return;
    }
    if (clip_) {
        painter_.setClipRegion(*clip_);
    }
}

void CWmfCanvas::End() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

QImage CWmfCanvas::TakeImage() {
    End();
    return valid_ && !overBudget_ ? std::move(image_) : QImage();
}

double CWmfCanvas::MapX(double x) const {
    return Tame((x - left_) * scaleX_);
}

double CWmfCanvas::MapY(double y) const {
    return Tame((y - top_) * scaleY_);
}

QPointF CWmfCanvas::Map(const wmfD_Coord& point) const {
    return {MapX(point.x), MapY(point.y)};
}

QRectF CWmfCanvas::MapRect(const wmfD_Coord& corner, const wmfD_Coord& opposite) const {
    return QRectF(Map(corner), Map(opposite)).normalized();
}

double CWmfCanvas::PenWidth(const wmfDC& dc) const {
    if (dc.pen == nullptr) {
        return 0;
    }
    const QPen pen = MakeWmfPen(*dc.pen, scaleX_, 2.0 * std::max(image_.width(), image_.height()));
    return pen.style() == Qt::NoPen ? 0 : pen.widthF();
}

void CWmfCanvas::DrawShape(const wmfDC& dc, const QPainterPath& shape, bool fill, bool outline) {
    const std::optional<SWmfMix> mix = WmfPenMix(dc.ROPmode);
    if (!mix) {
        return;
    }
    QBrush brush(Qt::NoBrush);
    if (fill && dc.brush != nullptr) {
        brush = MakeWmfBrush(*dc.brush);
    }
    QPen pen(Qt::NoPen);
    if (outline && dc.pen != nullptr) {
        pen = MakeWmfPen(*dc.pen, scaleX_, 2.0 * std::max(image_.width(), image_.height()));
    }
    Paint(shape, pen, brush, *mix, dc);
}

void CWmfCanvas::FillShape(const wmfDC& dc, const QPainterPath& shape, const SWmfMix& mix) {
    QBrush brush(Qt::black);
    if (dc.brush != nullptr) {
        brush = MakeWmfBrush(*dc.brush);
    }
    Paint(shape, QPen(Qt::NoPen), brush, mix, dc);
}

void CWmfCanvas::FillRegion(const wmfDC& dc, const QRegion& region, const SWmfMix& mix) {
    if (!painter_.isActive() || region.isEmpty()) {
        return;
    }
    painter_.save();
    painter_.setClipRegion(region, Qt::IntersectClip);
    QPainterPath bounds;
    bounds.addRect(region.boundingRect());
    FillShape(dc, bounds, mix);
    painter_.restore();
}

void CWmfCanvas::FillColour(const QRect& rect, const QColor& colour) {
    if (!painter_.isActive()) {
        return;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(rect, colour);
}

void CWmfCanvas::DrawImage(const QImage& image, const QRect& source, QPointF at, double scaleX,
                           double scaleY, QPainter::CompositionMode mode) {
    const double limit = std::max(image_.width(), image_.height());
    if (!painter_.isActive() || !std::isfinite(scaleX) || !std::isfinite(scaleY) ||
        std::abs(scaleX) > limit || std::abs(scaleY) > limit || scaleX == 0 || scaleY == 0) {
        return;
    }
    painter_.save();
    painter_.setCompositionMode(mode);
    painter_.translate(at);
    painter_.scale(scaleX, scaleY);
    painter_.drawImage(QPointF(0, 0), image, source);
    painter_.restore();
}

void CWmfCanvas::Paint(const QPainterPath& shape, QPen pen, QBrush brush, const SWmfMix& mix,
                       const wmfDC& dc) {
    if (!painter_.isActive() || (pen.style() == Qt::NoPen && brush.style() == Qt::NoBrush)) {
        return;
    }
    if (mix.fixedColour) {
        if (brush.style() != Qt::NoBrush) {
            brush = QBrush(*mix.fixedColour);
        }
        pen.setColor(*mix.fixedColour);
    }
    const bool blends = mix.mode == QPainter::CompositionMode_SourceOver;
    painter_.setCompositionMode(mix.mode);
    // Raster operations work on whole pixels; smoothed edges would mix
    // partial coverage into them.
    painter_.setRenderHint(QPainter::Antialiasing, blends);
    const bool opaque = dc.bgmode == OPAQUE;
    painter_.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(QBrush(ToQColor(dc.bgcolor)));
    painter_.setPen(pen);
    painter_.setBrush(brush);
    painter_.drawPath(shape);
}

void CWmfCanvas::SetClip(const std::optional<QRegion>& clip) {
    clip_ = clip;
    if (!painter_.isActive()) {
        return;
    }
    if (clip_) {
        painter_.setClipRegion(*clip_);
    } else {
        painter_.setClipping(false);
    }
}

}  // namespace plexion
