#include "color_field.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "color_conversion.h"

namespace plexion {

CColorField::CColorField(const QString& chooserTitle, const QColor& color, QWidget* parent)
    : QPushButton(parent), chooserTitle_(chooserTitle), color_(color) {
    connect(this, &QPushButton::clicked, this, &CColorField::Choose);
}

void CColorField::SetColor(const QColor& color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    update();
    emit colorChanged(color_);
}

QSize CColorField::sizeHint() const {
    return QSize(120, fontMetrics().height() + 14);
}

void CColorField::Choose() {
    const QColor chosen = QColorDialog::getColor(color_, this, chooserTitle_);
    if (!chosen.isValid()) {
        return;
    }
    QColor color = chosen;
    color.setAlpha(color_.alpha());
    SetColor(color);
}

void CColorField::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const ColorRef color = FromQColor(color_);
    const QRect swatch = rect().adjusted(4, 4, -5, -5);
    painter.fillRect(swatch, color_);
    painter.setPen(ToQColor(DarkenColor(color, 0.3)));
    painter.drawRect(swatch);
    // The colour's bytes, in a shade that stands out on it.
    painter.setPen(ToQColor(ContrastColor(color, 1.0)));
    painter.drawText(swatch, Qt::AlignCenter,
                     QStringLiteral("%1 %2 %3")
                         .arg(color_.red(), 2, 16, QLatin1Char('0'))
                         .arg(color_.green(), 2, 16, QLatin1Char('0'))
                         .arg(color_.blue(), 2, 16, QLatin1Char('0'))
                         .toUpper());
}

}  // namespace plexion
