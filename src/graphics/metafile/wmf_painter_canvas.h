#pragma once

#include "wmf_library.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <cstdint>
#include <optional>

#include "wmf_painter_style.h"

namespace plexion {

// The picture a metafile is played onto: a transparent premultiplied ARGB
// image over which the player's device rectangle is stretched. Shapes are
// mapped to pixels here and drawn without a painter transform, so pens,
// hatches and dashes keep their on-screen pixel sizes.
// The whole pixels a rectangle in pixels covers, its far edges left out.
QRect ToPixelRect(const QRectF& rect);

class CWmfCanvas {
public:
    CWmfCanvas(const wmfD_Rect& frame, QSize size);

    // Whether the image could be allocated and the frame has an area.
    bool IsValid() const { return valid_; }

    void Begin();
    void End();
    QImage TakeImage();

    QPointF Map(const wmfD_Coord& point) const;
    QRectF MapRect(const wmfD_Coord& corner, const wmfD_Coord& opposite) const;
    double PixelsPerUnitX() const { return scaleX_; }
    double PixelsPerUnitY() const { return scaleY_; }

    // Fills the shape with the brush and outlines it with the pen of the
    // device context, mixed by its raster operation.
    void DrawShape(const wmfDC& dc, const QPainterPath& shape, bool fill, bool outline);
    // Fills the shape with the context's brush mixed as `mix` says.
    void FillShape(const wmfDC& dc, const QPainterPath& shape, const SWmfMix& mix);
    // Fills the pixels of the region with the context's brush mixed as
    // `mix` says, within the clip.
    void FillRegion(const wmfDC& dc, const QRegion& region, const SWmfMix& mix);
    // Sets the pixels of the rectangle to the colour, within the clip.
    void FillColour(const QRect& rect, const QColor& colour);
    // Draws the `source` part of the image with its top-left corner at
    // `at`, each of its pixels `scaleX` × `scaleY` pixels of the picture
    // (negative sizes mirror it), mixed as `mode` says.
    void DrawImage(const QImage& image, const QRect& source, QPointF at, double scaleX,
                   double scaleY, QPainter::CompositionMode mode);
    // The pen width of the context in pixels, as it is drawn.
    double PenWidth(const wmfDC& dc) const;

    // Limits drawing to the region in pixels; nothing limits it without one.
    void SetClip(const std::optional<QRegion>& clip);

    // The pixels flood fills may still visit; once spent, the picture is
    // refused as too much work and further fills are skipped.
    std::int64_t& FloodBudget() { return floodBudget_; }
    void MarkOverBudget() { overBudget_ = true; }
    bool OverBudget() const { return overBudget_; }

    // The painter while painting, or null.
    QPainter* Painter() { return painter_.isActive() ? &painter_ : nullptr; }
    const QImage& Image() const { return image_; }

private:
    void Paint(const QPainterPath& shape, QPen pen, QBrush brush, const SWmfMix& mix,
               const wmfDC& dc);
    double MapX(double x) const;
    double MapY(double y) const;

    QImage image_;
    QPainter painter_;
    std::optional<QRegion> clip_;
    double left_ = 0;
    double top_ = 0;
    double scaleX_ = 1;
    double scaleY_ = 1;
    bool valid_ = false;
    std::int64_t floodBudget_;
    bool overBudget_ = false;
};

}  // namespace plexion
