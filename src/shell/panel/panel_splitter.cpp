#include "panel_splitter.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "color_conversion.h"

namespace plexion {

CPanelSplitter::CPanelSplitter(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPanelSplitter::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

void CPanelSplitter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorRef face = CInterfaceColors::Instance().Get(InterfaceColor::DialogFace);
    painter.fillRect(rect(), ToQColor(face));
    // A raised ridge: light on the left, dark on the right.
    painter.fillRect(QRect(0, 0, 1, height()), ToQColor(LightenColor(face, 0.5)));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), ToQColor(DarkenColor(face, 0.5)));
    if (grip_ >= 0) {
        painter.fillRect(rect().adjusted(2, 0, -2, 0), ToQColor(DarkenColor(face, 0.3)));
    }
}

void CPanelSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    grip_ = static_cast<int>(event->position().x());
    update();
}

void CPanelSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (grip_ < 0) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int left = static_cast<int>(mapToParent(event->position()).x()) - grip_;
    const int position = std::clamp(left, minimum_, maximum_);
    if (position != x()) {
        emit moved(position);
    }
}

void CPanelSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || grip_ < 0) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    grip_ = -1;
    update();
}

}  // namespace plexion
