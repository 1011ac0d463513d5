#pragma once

#include "wmf_library.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPen>
#include <optional>

namespace plexion {

QColor ToQColor(const wmfRGB& colour);

// The pen a metafile pen draws with on an image where one device unit is
// `pixelsPerUnit` pixels wide. Widths never fall below one pixel, as on
// screen, and never exceed `maxWidth`.
QPen MakeWmfPen(const wmfPen& pen, double pixelsPerUnit, double maxWidth);

// The brush a metafile brush fills with. A pattern brush whose picture
// could not be decoded fills with its colour.
QBrush MakeWmfBrush(const wmfBrush& brush);

Qt::FillRule WmfFillRule(unsigned short polyFillMode);

// How pen and brush combine with what is already drawn under a binary
// raster operation. Nothing when the operation leaves the picture as it is.
struct SWmfMix {
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    std::optional<QColor> fixedColour;  // black or white operations
};
std::optional<SWmfMix> WmfPenMix(unsigned short rop2);

// How a bitmap combines with the picture under a ternary raster operation;
// the usual copy when the operation is not one of the common ones.
QPainter::CompositionMode WmfBitmapMode(unsigned int rop3);

}  // namespace plexion
