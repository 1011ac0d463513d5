#include "image_button.h"

#include <QPainter>

namespace plexion {

CImageButton::CImageButton(ImageSource images, QWidget* parent)
    : QAbstractButton(parent), images_(std::move(images)) {
    setFocusPolicy(Qt::NoFocus);
}

QSize CImageButton::sizeHint() const {
    return images_(false).deviceIndependentSize().toSize();
}

void CImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), images_(isDown()));
}

}  // namespace plexion
