#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

#include <algorithm>

#include "color_conversion.h"
#include "grid_cell.h"
#include "grid_cell_look.h"
#include "grid_text_measurer.h"

// Measuring and drawing a cell: the part of CGridCell that needs fonts and
// a painter.

namespace plexion {
namespace {

constexpr int kMinTextWidth = 8;
constexpr int kWidthPadding = 16;
constexpr int kHeightPadding = 4;
constexpr int kMinHeight = 18;
constexpr int kColorExtra = 10;
constexpr int kTextPadding = 2;
constexpr int kSwatchInset = 3;

// Lighter at the top and bottom edges, the background itself in the middle.
QBrush ShadeBrush(ColorRef background) {
    const QColor edge = ToQColor(LightenColor(background, 0.5));
    QLinearGradient gradient(0.0, 0.0, 0.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, edge);
    gradient.setColorAt(0.5, ToQColor(background));
    gradient.setColorAt(1.0, edge);
    return QBrush(gradient);
}

// A text longer than the width has pixels is shortened first: shaping a
// long text whole for every repaint would cost far more than drawing it.
QString FittedLine(const QFontMetrics& metrics, const QString& line, int width) {
    if (line.size() > width + 1) {
        return metrics.elidedText(line.left(std::max(width, 0) + 1), Qt::ElideRight, width);
    }
    return metrics.elidedText(line, Qt::ElideRight, width);
}

bool IsCentredInFixed(GridCellType type) {
    return type == GridCellType::ColumnNumber || type == GridCellType::RowNumber;
}

}  // namespace

QString FittedCellText(const QFontMetrics& metrics, const QString& text, int width,
                       bool multiLine) {
    if (!multiLine) {
        return FittedLine(metrics, text, width);
    }
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        line = FittedLine(metrics, line, width);
    }
    return lines.join(u'\n');
}

QSize CGridCell::Measure(CGridTextMeasurer& measurer, const CGridSheet& sheet, int column,
                         int row) const {
    const bool positional = IsCentredInFixed(type_);
    if (!positional && measured_.isValid()) {
        return measured_;
    }
    CCellTextBuffer buffer;
    const QSize text = measurer.TextSize(DisplayTextView(sheet, column, row, buffer));
    QSize size(std::max(text.width(), kMinTextWidth) + kWidthPadding,
               std::max(text.height() + kHeightPadding, kMinHeight));
    if (type_ == GridCellType::Color) {
        size += QSize(kColorExtra, kColorExtra);
    }
    if (!positional) {
        measured_ = size;
    }
    return size;
}

void CGridCell::Draw(QPainter& painter, const QRect& rect, const CGridCellLook& look,
                     const QString& displayText) const {
    const CInterfaceColors& colors = CInterfaceColors::Instance();
    ColorRef background = colors.Get(look.highlighted ? InterfaceColor::WindowSpottedFace
                                                      : InterfaceColor::WindowFace);
    ColorRef ink = colors.Get(look.highlighted ? InterfaceColor::WindowSpottedText
                                               : InterfaceColor::WindowText);
    if (look.fixed && !editable_) {
        std::swap(background, ink);
    }
    if (editable_) {
        background = LightenColor(background, 0.5);
    }

    painter.fillRect(rect, ToQColor(DarkenColor(colors.Get(InterfaceColor::WindowFace), 0.1)));
    painter.fillRect(rect.adjusted(0, 0, -1, -1), ShadeBrush(background));
    if (type_ == GridCellType::Empty) {
        return;
    }

    const QRect inner = rect.adjusted(1, 1, -1, -1);
    const QRect textRect = inner.adjusted(kTextPadding, 0, -kTextPadding, 0);
    int alignment = Qt::AlignCenter;
    switch (type_) {
        case GridCellType::Integer:
        case GridCellType::Real:
            alignment = Qt::AlignRight | Qt::AlignVCenter;
            break;
        case GridCellType::ColumnNumber:
        case GridCellType::RowNumber:
            alignment = look.fixed ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter);
            break;
        case GridCellType::Color: {
            const ColorRef color = std::get<CGridColor>(value_).color;
            const QRect swatch =
                inner.adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
            painter.fillRect(swatch, ToQColor(color));
            painter.setPen(ToQColor(DarkenColor(color, 0.3)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
            ink = ContrastColor(color, 1.0);
            break;
        }
        default:
            break;
    }
    const bool multiLine = (type_ == GridCellType::Text || type_ == GridCellType::MultiLineText) &&
                           displayText.contains(u'\n');
    if (!multiLine) {
        alignment |= Qt::TextSingleLine;
    }
    const bool bold = type_ == GridCellType::YesNo && std::get<bool>(value_);
    painter.setFont(*(bold ? look.boldFont : look.font));
    painter.setPen(ToQColor(ink));
    const bool fits = measured_.isValid() && measured_.width() <= look.columnWidth;
    painter.drawText(textRect, alignment,
                     fits ? displayText
                          : FittedCellText(painter.fontMetrics(), displayText, textRect.width(),
                                           multiLine));
}

}  // namespace plexion
