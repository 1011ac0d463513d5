#include "tool_button.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kPadding = 3;
constexpr int kTextGap = 3;
constexpr int kKeyStep = 1;
constexpr int kShiftKeyStep = 10;
constexpr double kPressedShade = 0.3;
constexpr int kFocusAlpha = 128;

}  // namespace

CToolButton::CToolButton(Kind kind, const QPixmap& image, QWidget* parent)
    : QAbstractButton(parent), kind_(kind), image_(image) {
    setCheckable(kind == Kind::Toggle);
    setFocusPolicy(Qt::TabFocus);
}

void CToolButton::SetMinimumButtonWidth(int width) {
    minimumWidth_ = width;
    updateGeometry();
}

QSize CToolButton::sizeHint() const {
    const QSize picture = image_.deviceIndependentSize().toSize();
    int width = picture.width() + 2 * kPadding;
    if (!text().isEmpty()) {
        width += kTextGap + fontMetrics().horizontalAdvance(text());
    }
    const int height = std::max(picture.height(), fontMetrics().height()) + 2 * kPadding;
    return QSize(std::max(width, minimumWidth_), height);
}

void CToolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked() || dragging_;
    const ColorRef face = CInterfaceColors::Instance().Get(InterfaceColor::DialogFace);
    painter.fillRect(rect(), ToQColor(sunken ? DarkenColor(face, kPressedShade) : face));
    painter.setPen(ToQColor(sunken ? DarkenColor(face, 2 * kPressedShade)
                                   : LightenColor(face, kPressedShade)));
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.drawLine(rect().topLeft(), rect().bottomLeft());
    painter.setPen(ToQColor(sunken ? LightenColor(face, kPressedShade)
                                   : DarkenColor(face, 2 * kPressedShade)));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    painter.drawLine(rect().topRight(), rect().bottomRight());
    // A pressed picture sinks by a pixel.
    const int shift = sunken ? 1 : 0;
    const QSize picture = image_.deviceIndependentSize().toSize();
    const QPoint at(kPadding + shift, (height() - picture.height()) / 2 + shift);
    painter.drawPixmap(at, image_);
    if (!text().isEmpty()) {
        const QRect textArea(at.x() + picture.width() + kTextGap, shift,
                             width() - at.x() - picture.width() - kTextGap, height());
        painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    }
    if (hasFocus()) {
        QColor focus = InterfaceQColor(InterfaceColor::FocusedArea);
        focus.setAlpha(kFocusAlpha);
        painter.fillRect(rect(), focus);
    }
}

void CToolButton::mousePressEvent(QMouseEvent* event) {
    if (kind_ != Kind::Drag || event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    pressedAt_ = event->globalPosition().toPoint();
    lastSeen_ = pressedAt_;
    update();
}

void CToolButton::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->globalPosition().toPoint();
    const QPoint delta = at - lastSeen_;
    if (delta.isNull()) {
        return;
    }
    QCursor::setPos(screen(), pressedAt_);
    // Where the pointer really is now: a platform that cannot move it
    // leaves it where it was, and the next movement counts from there.
    lastSeen_ = QCursor::pos(screen()) == pressedAt_ ? pressedAt_ : at;
    emit dragged(delta);
}

void CToolButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        update();
    }
}

void CToolButton::keyPressEvent(QKeyEvent* event) {
    if (kind_ != Kind::Drag) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    const int step = event->modifiers() & Qt::ShiftModifier ? kShiftKeyStep : kKeyStep;
    switch (event->key()) {
        case Qt::Key_Left:
            emit dragged(QPoint(-step, 0));
            break;
        case Qt::Key_Right:
            emit dragged(QPoint(step, 0));
            break;
        case Qt::Key_Up:
            emit dragged(QPoint(0, -step));
            break;
        case Qt::Key_Down:
            emit dragged(QPoint(0, step));
            break;
        default:
            QAbstractButton::keyPressEvent(event);
            break;
    }
}

}  // namespace plexion
