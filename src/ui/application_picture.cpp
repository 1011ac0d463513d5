#include "application_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace plexion {

// A blue tile carrying a white "P" whose bowl holds four coloured squares,
// one for each family of resources (pictures, sounds, paths, data). It is
// built from shapes alone so that it looks the same whatever fonts exist.
void PaintApplicationPicture(QPainter& painter, double size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const QRectF tile(size * 0.03, size * 0.03, size * 0.94, size * 0.94);
    QLinearGradient face(tile.topLeft(), tile.bottomRight());
    face.setColorAt(0.0, QColor(88, 146, 205));
    face.setColorAt(1.0, QColor(30, 66, 112));
    painter.setBrush(face);
    painter.drawRoundedRect(tile, size * 0.18, size * 0.18);

    const double stem = size * 0.17;
    const double left = size * 0.22;
    const double top = size * 0.16;
    const double bottom = size * 0.84;
    const double bowlRight = size * 0.80;
    const double bowlBottom = size * 0.62;
    QPainterPath letter;
    letter.addRect(QRectF(left, top, stem, bottom - top));
    QPainterPath bowl;
    bowl.addRoundedRect(QRectF(left, top, bowlRight - left, bowlBottom - top), size * 0.2,
                        size * 0.2);
    QPainterPath hole;
    const QRectF holeRect(left + stem, top + stem * 0.8, bowlRight - left - stem * 1.8,
                          bowlBottom - top - stem * 1.6);
    hole.addRoundedRect(holeRect, size * 0.08, size * 0.08);
    painter.setBrush(Qt::white);
    painter.drawPath(letter.united(bowl).subtracted(hole));

    const QColor squares[4] = {QColor(120, 200, 60), QColor(255, 200, 40), QColor(230, 70, 60),
                               QColor(80, 210, 230)};
    const double gap = holeRect.width() * 0.08;
    const double cellWidth = (holeRect.width() - gap * 3) / 2;
    const double cellHeight = (holeRect.height() - gap * 3) / 2;
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(squares[i]);
        painter.drawRect(QRectF(holeRect.left() + gap + (i % 2) * (cellWidth + gap),
                                holeRect.top() + gap + (i / 2) * (cellHeight + gap), cellWidth,
                                cellHeight));
    }
    painter.restore();
}

void PaintDocumentPicture(QPainter& painter, double size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    const double left = size * 0.16;
    const double right = size * 0.84;
    const double top = size * 0.04;
    const double bottom = size * 0.96;
    const double fold = size * 0.22;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(72, 72, 72), qMax(1.0, size / 48)));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPath(corner);

    const double picture = size * 0.5;
    painter.translate((size - picture) / 2, bottom - picture - size * 0.08);
    PaintApplicationPicture(painter, picture);
    painter.restore();
}

}  // namespace plexion
