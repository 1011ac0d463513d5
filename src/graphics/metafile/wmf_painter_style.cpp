#include "wmf_painter_style.h"

#include "wmf_library.h"

#include <algorithm>
#include <cmath>

#include "wmf_painter_bitmap.h"

namespace plexion {
namespace {

Qt::PenStyle PenLineStyle(unsigned int style) {
    switch (style) {
        case PS_DASH:
            return Qt::DashLine;
        case PS_DOT:
        case PS_ALTERNATE:
            return Qt::DotLine;
        case PS_DASHDOT:
            return Qt::DashDotLine;
        case PS_DASHDOTDOT:
            return Qt::DashDotDotLine;
        case PS_NULL:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

Qt::PenCapStyle PenCap(unsigned int cap) {
    switch (cap) {
        case PS_ENDCAP_SQUARE:
            return Qt::SquareCap;
        case PS_ENDCAP_FLAT:
            return Qt::FlatCap;
        default:
            return Qt::RoundCap;
    }
}

Qt::PenJoinStyle PenJoin(unsigned int join) {
    switch (join) {
        case PS_JOIN_BEVEL:
            return Qt::BevelJoin;
        case PS_JOIN_MITER:
            return Qt::MiterJoin;
        default:
            return Qt::RoundJoin;
    }
}

Qt::BrushStyle HatchStyle(unsigned short hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        default:
            return Qt::DiagCrossPattern;
    }
}

}  // namespace

QColor ToQColor(const wmfRGB& colour) {
    return QColor(colour.r, colour.g, colour.b);
}

QPen MakeWmfPen(const wmfPen& pen, double pixelsPerUnit, double maxWidth) {
    const Qt::PenStyle style = PenLineStyle(WMF_PEN_STYLE(&pen));
    if (style == Qt::NoPen) {
        return QPen(Qt::NoPen);
    }
    double width = std::abs(WMF_PEN_WIDTH(&pen) * pixelsPerUnit);
    width = std::isfinite(width) ? std::clamp(width, 1.0, std::max(1.0, maxWidth)) : 1.0;
    // Windows draws dashed and dotted styles only with thin pens; thicker
    // ones are solid.
    return QPen(QBrush(ToQColor(*WMF_PEN_COLOR(&pen))), width, width > 1.5 ? Qt::SolidLine : style,
                PenCap(WMF_PEN_ENDCAP(&pen)), PenJoin(WMF_PEN_JOIN(&pen)));
}

QBrush MakeWmfBrush(const wmfBrush& brush) {
    const QColor colour = ToQColor(*WMF_BRUSH_COLOR(&brush));
    switch (WMF_BRUSH_STYLE(&brush)) {
        case BS_NULL:
            return QBrush(Qt::NoBrush);
        case BS_HATCHED:
            return QBrush(colour, HatchStyle(WMF_BRUSH_HATCH(&brush)));
        case BS_PATTERN:
        case BS_DIBPATTERN:
        case BS_DIBPATTERNPT:
        case BS_PATTERN8X8:
        case BS_DIBPATTERN8X8:
            if (const QImage* pattern = BitmapImage(brush.bmp);
                pattern != nullptr && !pattern->isNull()) {
                return QBrush(*pattern);
            }
            return QBrush(colour);
        default:
            return QBrush(colour);
    }
}

Qt::FillRule WmfFillRule(unsigned short polyFillMode) {
    return polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

std::optional<SWmfMix> WmfPenMix(unsigned short rop2) {
    using M = QPainter::CompositionMode;
    switch (rop2) {
        case R2_NOP:
            return std::nullopt;
        case R2_BLACK:
            return SWmfMix{M::CompositionMode_SourceOver, QColor(Qt::black)};
        case R2_WHITE:
            return SWmfMix{M::CompositionMode_SourceOver, QColor(Qt::white)};
        case R2_NOTMERGEPEN:
            return SWmfMix{M::RasterOp_NotSourceAndNotDestination, {}};
        case R2_MASKNOTPEN:
            return SWmfMix{M::RasterOp_NotSourceAndDestination, {}};
        case R2_NOTCOPYPEN:
            return SWmfMix{M::RasterOp_NotSource, {}};
        case R2_MASKPENNOT:
            return SWmfMix{M::RasterOp_SourceAndNotDestination, {}};
        case R2_NOT:
            return SWmfMix{M::RasterOp_NotDestination, {}};
        case R2_XORPEN:
            return SWmfMix{M::RasterOp_SourceXorDestination, {}};
        case R2_NOTMASKPEN:
            return SWmfMix{M::RasterOp_NotSourceOrNotDestination, {}};
        case R2_MASKPEN:
            return SWmfMix{M::RasterOp_SourceAndDestination, {}};
        case R2_NOTXORPEN:
            return SWmfMix{M::RasterOp_NotSourceXorDestination, {}};
        case R2_MERGENOTPEN:
            return SWmfMix{M::RasterOp_NotSourceOrDestination, {}};
        case R2_MERGEPENNOT:
            return SWmfMix{M::RasterOp_SourceOrNotDestination, {}};
        case R2_MERGEPEN:
            return SWmfMix{M::RasterOp_SourceOrDestination, {}};
        default:
            return SWmfMix{};
    }
}

QPainter::CompositionMode WmfBitmapMode(unsigned int rop3) {
    switch (rop3) {
        case kRopSrcPaint:
            return QPainter::RasterOp_SourceOrDestination;
        case kRopSrcAnd:
            return QPainter::RasterOp_SourceAndDestination;
        case kRopSrcInvert:
            return QPainter::RasterOp_SourceXorDestination;
        case kRopSrcErase:
            return QPainter::RasterOp_SourceAndNotDestination;
        case kRopNotSrcCopy:
            return QPainter::RasterOp_NotSource;
        case kRopNotSrcErase:
            return QPainter::RasterOp_NotSourceAndNotDestination;
        case kRopMergePaint:
            return QPainter::RasterOp_NotSourceOrDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

}  // namespace plexion
