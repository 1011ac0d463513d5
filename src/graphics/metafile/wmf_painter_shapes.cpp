#include "wmf_painter_shapes.h"

#include "wmf_library.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "wmf_painter.h"
#include "wmf_painter_flood.h"

namespace plexion {
namespace {

enum class EArc { Open, Chord, Pie };

// An inside-frame pen keeps the whole outline within the shape's box.
QRectF FramedBox(const CWmfCanvas& canvas, const wmfDC& dc, QRectF box) {
    if (dc.pen == nullptr || WMF_PEN_STYLE(dc.pen) != PS_INSIDEFRAME) {
        return box;
    }
    const double half = std::min({canvas.PenWidth(dc) / 2, box.width() / 2, box.height() / 2});
    return box.adjusted(half, half, -half, -half);
}

QPolygonF MapPoints(const CWmfCanvas& canvas, const wmfD_Coord* points, unsigned int count) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(count));
    for (unsigned int i = 0; i < count; ++i) {
        polygon.append(canvas.Map(points[i]));
    }
    return polygon;
}

// The angle, in degrees anticlockwise on screen, at which a point lies on
// the ellipse filling the box, as Qt measures arcs.
double EllipseAngle(const QRectF& box, QPointF point) {
    const double x = (point.x() - box.center().x()) / (box.width() / 2);
    const double y = (box.center().y() - point.y()) / (box.height() / 2);
    return std::atan2(y, x) * 180.0 / M_PI;
}

// Arcs run anticlockwise on screen from the metafile's start point to its
// end point. libwmf gives both relative to the ellipse's centre, in the
// order of a clockwise sweep: its `end` is where the arc starts. When they
// meet, the whole ellipse is drawn.
QPainterPath ArcPath(const CWmfCanvas& canvas, const wmfDrawArc_t& arc, EArc kind) {
    QPainterPath path;
    const QRectF box = canvas.MapRect(arc.TL, arc.BR);
    if (box.width() <= 0 || box.height() <= 0) {
        return path;
    }
    const wmfD_Coord centre{(arc.TL.x + arc.BR.x) / 2, (arc.TL.y + arc.BR.y) / 2};
    const double from = EllipseAngle(box, canvas.Map({centre.x + arc.end.x, centre.y + arc.end.y}));
    const double to =
        EllipseAngle(box, canvas.Map({centre.x + arc.start.x, centre.y + arc.start.y}));
    double sweep = std::fmod(to - from + 720.0, 360.0);
    if (sweep <= 0.0) {
        sweep = 360.0;
    }
    if (kind == EArc::Pie) {
        path.moveTo(box.center());
        path.arcTo(box, from, sweep);
        path.closeSubpath();
        return path;
    }
    path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind == EArc::Chord) {
        path.closeSubpath();
    }
    return path;
}

void DrawArcShape(wmfAPI* api, const wmfDrawArc_t* arc, EArc kind) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas != nullptr && arc->dc != nullptr) {
        canvas->DrawShape(*arc->dc, ArcPath(*canvas, *arc, kind), kind != EArc::Open, true);
    }
}

void DrawPie(wmfAPI* api, wmfDrawArc_t* arc) {
    DrawArcShape(api, arc, EArc::Pie);
}

void DrawChord(wmfAPI* api, wmfDrawArc_t* arc) {
    DrawArcShape(api, arc, EArc::Chord);
}

void DrawArc(wmfAPI* api, wmfDrawArc_t* arc) {
    DrawArcShape(api, arc, EArc::Open);
}

void DrawEllipse(wmfAPI* api, wmfDrawArc_t* arc) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || arc->dc == nullptr) {
        return;
    }
    QPainterPath path;
    path.addEllipse(FramedBox(*canvas, *arc->dc, canvas->MapRect(arc->TL, arc->BR)));
    canvas->DrawShape(*arc->dc, path, true, true);
}

void DrawLine(wmfAPI* api, wmfDrawLine_t* line) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || line->dc == nullptr) {
        return;
    }
    QPainterPath path(canvas->Map(line->from));
    path.lineTo(canvas->Map(line->to));
    canvas->DrawShape(*line->dc, path, false, true);
}

void DrawPolyline(wmfAPI* api, wmfPolyLine_t* line) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || line->dc == nullptr || line->pt == nullptr || line->count < 2) {
        return;
    }
    QPainterPath path;
    path.addPolygon(MapPoints(*canvas, line->pt, line->count));
    canvas->DrawShape(*line->dc, path, false, true);
}

void DrawPolygon(wmfAPI* api, wmfPolyLine_t* polygon) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || polygon->dc == nullptr || polygon->pt == nullptr ||
        polygon->count < 2) {
        return;
    }
    QPainterPath path;
    path.setFillRule(WmfFillRule(polygon->dc->polyfillmode));
    path.addPolygon(MapPoints(*canvas, polygon->pt, polygon->count));
    path.closeSubpath();
    canvas->DrawShape(*polygon->dc, path, true, true);
}

void DrawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* polygons) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || polygons->dc == nullptr || polygons->pt == nullptr ||
        polygons->count == nullptr) {
        return;
    }
    QPainterPath path;
    path.setFillRule(WmfFillRule(polygons->dc->polyfillmode));
    for (unsigned int i = 0; i < polygons->npoly; ++i) {
        if (polygons->pt[i] != nullptr && polygons->count[i] >= 2) {
            path.addPolygon(MapPoints(*canvas, polygons->pt[i], polygons->count[i]));
            path.closeSubpath();
        }
    }
    canvas->DrawShape(*polygons->dc, path, true, true);
}

void DrawRectangle(wmfAPI* api, wmfDrawRectangle_t* rectangle) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || rectangle->dc == nullptr) {
        return;
    }
    const QRectF box =
        FramedBox(*canvas, *rectangle->dc, canvas->MapRect(rectangle->TL, rectangle->BR));
    QPainterPath path;
    // The corner sizes are the axes of the ellipses that round them.
    const double cornerX = std::abs(rectangle->width * canvas->PixelsPerUnitX()) / 2;
    const double cornerY = std::abs(rectangle->height * canvas->PixelsPerUnitY()) / 2;
    if (std::isfinite(cornerX) && std::isfinite(cornerY) && cornerX > 0 && cornerY > 0) {
        path.addRoundedRect(box, std::min(cornerX, box.width() / 2),
                            std::min(cornerY, box.height() / 2));
    } else {
        path.addRect(box);
    }
    canvas->DrawShape(*rectangle->dc, path, true, true);
}

void DrawPixel(wmfAPI* api, wmfDrawPixel_t* pixel) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr) {
        return;
    }
    const QPointF at = canvas->Map(pixel->pt);
    const double limit = std::max(canvas->Image().width(), canvas->Image().height());
    const auto extent = [limit](double units, double scale) {
        const double pixels = std::abs(units * scale);
        return static_cast<int>(std::isfinite(pixels) ? std::clamp(std::round(pixels), 1.0, limit)
                                                      : 1.0);
    };
    canvas->FillColour(
        QRect(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())),
              extent(pixel->pixel_width, canvas->PixelsPerUnitX()),
              extent(pixel->pixel_height, canvas->PixelsPerUnitY())),
        ToQColor(pixel->color));
}

// Pattern block transfers the common raster operations name; the rest
// leave the picture as it is.
std::optional<SWmfMix> PatternMix(unsigned int rop3) {
    switch (rop3) {
        case kRopPatCopy:
            return SWmfMix{};
        case kRopPatInvert:
            return SWmfMix{QPainter::RasterOp_SourceXorDestination, {}};
        case kRopDstInvert:
            return SWmfMix{QPainter::RasterOp_NotDestination, {}};
        case kRopBlackness:
            return SWmfMix{QPainter::CompositionMode_SourceOver, QColor(Qt::black)};
        case kRopWhiteness:
            return SWmfMix{QPainter::CompositionMode_SourceOver, QColor(Qt::white)};
        default:
            return std::nullopt;
    }
}

void DrawRop(wmfAPI* api, wmfROP_Draw_t* rop) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    const std::optional<SWmfMix> mix = PatternMix(rop->ROP);
    if (canvas != nullptr && rop->dc != nullptr && mix) {
        canvas->FillRegion(*rop->dc, QRegion(ToPixelRect(canvas->MapRect(rop->TL, rop->BR))), *mix);
    }
}

void Flood(wmfAPI* api, const wmfFlood_t& flood, EFloodKind kind) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    if (canvas == nullptr || flood.dc == nullptr || canvas->OverBudget()) {
        return;
    }
    const QPointF at = canvas->Map(flood.pt);
    const QPoint start(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
    const QRgb colour = qRgb(flood.color.r, flood.color.g, flood.color.b);
    const std::optional<QRegion> region =
        FloodRegion(canvas->Image(), start, colour, kind, canvas->FloodBudget());
    if (!region) {
        canvas->MarkOverBudget();
        return;
    }
    canvas->FillRegion(*flood.dc, *region, SWmfMix{});
}

// A plain flood fill spreads up to a border of the colour.
void FloodInterior(wmfAPI* api, wmfFlood_t* flood) {
    Flood(api, *flood, EFloodKind::UpToBorder);
}

void FloodExterior(wmfAPI* api, wmfFlood_t* flood) {
    Flood(api, *flood,
          flood->type == FLOODFILLSURFACE ? EFloodKind::SameColour : EFloodKind::UpToBorder);
}

void DrawBitmap(wmfAPI* api, wmfBMP_Draw_t* draw) {
    CWmfCanvas* canvas = WmfCanvasOf(api);
    const auto* bitmap = static_cast<const SWmfBitmap*>(draw->bmp.data);
    if (canvas == nullptr || bitmap == nullptr) {
        return;
    }
    const int height = bitmap->image.height();
    const int top = bitmap->bottomUp ? height - draw->crop.y - draw->crop.h : draw->crop.y;
    const QRect source =
        QRect(draw->crop.x, top, draw->crop.w, draw->crop.h) & bitmap->image.rect();
    if (source.isEmpty()) {
        return;
    }
    canvas->DrawImage(bitmap->image, source, canvas->Map(draw->pt),
                      draw->pixel_width * canvas->PixelsPerUnitX(),
                      draw->pixel_height * canvas->PixelsPerUnitY(), WmfBitmapMode(draw->type));
}

}  // namespace

void AddWmfShapeCallbacks(wmfFunctionReference& functions) {
    functions.flood_interior = FloodInterior;
    functions.flood_exterior = FloodExterior;
    functions.draw_pixel = DrawPixel;
    functions.draw_pie = DrawPie;
    functions.draw_chord = DrawChord;
    functions.draw_arc = DrawArc;
    functions.draw_ellipse = DrawEllipse;
    functions.draw_line = DrawLine;
    functions.poly_line = DrawPolyline;
    functions.draw_polygon = DrawPolygon;
    functions.draw_polypolygon = DrawPolyPolygon;
    functions.draw_rectangle = DrawRectangle;
    functions.rop_draw = DrawRop;
    functions.bmp_draw = DrawBitmap;
}

}  // namespace plexion
