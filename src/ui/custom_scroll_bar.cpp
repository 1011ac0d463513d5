#include "custom_scroll_bar.h"

#include <QHelpEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

#include "color_conversion.h"
#include "image_button.h"

namespace plexion {
namespace {

constexpr std::array<ScrollBarButton, 4> kButtons = {
    ScrollBarButton::PageBack,
    ScrollBarButton::StepBack,
    ScrollBarButton::StepForward,
    ScrollBarButton::PageForward,
};

}  // namespace

CCustomScrollBar::CCustomScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), vertical_(orientation == Qt::Vertical) {
    for (ScrollBarButton which : kButtons) {
        auto* button = new CImageButton(
            [this, which](bool pressed) {
                return ScrollBarPixmap(ScrollBarButtonImage(which, vertical_), pressed);
            },
            this);
        // Holding a button keeps scrolling, as long lists need.
        button->setAutoRepeat(true);
        connect(button, &QAbstractButton::clicked, this, [this, which] { OnButton(which); });
        buttons_[static_cast<std::size_t>(which)] = button;
    }
    ApplySizePolicy();
    LayOutButtons();
}

// Thick as a button across the axis, as long as the owner wants along it.
void CCustomScrollBar::ApplySizePolicy() {
    setSizePolicy(vertical_ ? QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding)
                            : QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed));
}

void CCustomScrollBar::SetOrientation(Qt::Orientation orientation) {
    vertical_ = orientation == Qt::Vertical;
    ApplySizePolicy();
    UpdateButtonToolTips();
    LayOutButtons();
    for (CImageButton* button : buttons_) {
        button->update();
    }
    updateGeometry();
    update();
}

Qt::Orientation CCustomScrollBar::Orientation() const {
    return vertical_ ? Qt::Vertical : Qt::Horizontal;
}

void CCustomScrollBar::AttachToolTips(const QString& barText) {
    toolTipsAttached_ = true;
    barToolTip_ = barText;
    UpdateButtonToolTips();
}

void CCustomScrollBar::UpdateButtonToolTips() {
    if (!toolTipsAttached_) {
        return;
    }
    for (ScrollBarButton which : kButtons) {
        Button(which)->setToolTip(ScrollBarImageToolTip(ScrollBarButtonImage(which, vertical_)));
    }
}

void CCustomScrollBar::SetPosition(double position) {
    position_ = position;
    update();
}

void CCustomScrollBar::SetRangeStart(double start) {
    range_.start = start;
    update();
}

void CCustomScrollBar::SetRangeEnd(double end) {
    range_.end = end;
    update();
}

void CCustomScrollBar::SetRange(double start, double end) {
    range_.start = start;
    range_.end = end;
    update();
}

void CCustomScrollBar::SetPage(double page) {
    range_.page = std::fabs(page);
    update();
}

void CCustomScrollBar::SetStep(double step) {
    step_ = std::fabs(step);
}

QRect CCustomScrollBar::TrackRect() const {
    const int ends = 2 * kButtonSize;
    const QRect client = rect();
    return vertical_ ? client.adjusted(0, ends, 0, -ends) : client.adjusted(ends, 0, -ends, 0);
}

QAbstractButton* CCustomScrollBar::Button(ScrollBarButton which) const {
    return buttons_[static_cast<std::size_t>(which)];
}

QSize CCustomScrollBar::sizeHint() const {
    const int length = 6 * kButtonSize;
    return vertical_ ? QSize(kButtonSize, length) : QSize(length, kButtonSize);
}

QSize CCustomScrollBar::minimumSizeHint() const {
    const int length = 4 * kButtonSize;
    return vertical_ ? QSize(kButtonSize, length) : QSize(length, kButtonSize);
}

void CCustomScrollBar::LayOutButtons() {
    const int b = kButtonSize;
    const int far = (vertical_ ? height() : width()) - b;
    const std::array<int, 4> offsets = {0, b, far - b, far};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setGeometry(vertical_ ? QRect(0, offsets[i], b, b)
                                           : QRect(offsets[i], 0, b, b));
    }
}

void CCustomScrollBar::resizeEvent(QResizeEvent*) {
    LayOutButtons();
}

void CCustomScrollBar::OnButton(ScrollBarButton which) {
    const bool page = which == ScrollBarButton::PageBack || which == ScrollBarButton::PageForward;
    const bool forward =
        which == ScrollBarButton::StepForward || which == ScrollBarButton::PageForward;
    const double amount = page ? range_.page : step_;
    position_ = PositionAfterButton(position_, forward ? amount : -amount, range_, free_);
    update();
    emit scrollChanged(position_);
}

int CCustomScrollBar::AlongAxis(QPoint point) const {
    return vertical_ ? point.y() : point.x();
}

void CCustomScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The press grabs the thumb where it is: it never jumps by a page. The
    // press point is kept even when the page covers the range, so a drag
    // never starts from an older press.
    position_ = PositionAfterPress(position_, range_);
    pressPoint_ = event->globalPosition().toPoint();
    pressPosition_ = position_;
    dragging_ = true;
    update();
    emit scrollChanged(position_);
}

void CCustomScrollBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const int trackLength = vertical_ ? TrackRect().height() : TrackRect().width();
    const double moved = AlongAxis(event->globalPosition().toPoint()) - AlongAxis(pressPoint_);
    const std::optional<double> position =
        PositionAfterDrag(pressPosition_, moved, trackLength, range_);
    if (!position) {
        return;
    }
    position_ = *position;
    update();
    emit scrollChanged(position_);
}

void CCustomScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        EndDrag();
    }
}

// Qt holds the mouse for the pressed widget until the release (its implicit
// grab); hiding the bar or leaving the window loses that capture.
void CCustomScrollBar::hideEvent(QHideEvent*) {
    EndDrag();
}

void CCustomScrollBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        EndDrag();
    }
    QWidget::changeEvent(event);
}

void CCustomScrollBar::EndDrag() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    update();
}

bool CCustomScrollBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (dragging_ || barToolTip_.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), barToolTip_, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void CCustomScrollBar::paintEvent(QPaintEvent*) {
    const CInterfaceColors& colors = CInterfaceColors::Instance();
    QPainter painter(this);
    const QColor background = ToQColor(colors.Get(InterfaceColor::ScrollBarBackground));
    painter.fillRect(rect(), background);

    const QRect track = TrackRect();
    if (track.width() <= 0 || track.height() <= 0) {
        return;
    }
    painter.setPen(ToQColor(colors.Get(InterfaceColor::ScrollBarBorder)));
    painter.drawRect(track.adjusted(0, 0, -1, -1));

    const QRect inner = track.adjusted(2, 2, -2, -2);
    if (inner.width() <= 0 || inner.height() <= 0) {
        return;
    }
    const CThumbSpan span = vertical_ ? ThumbSpan(inner.top(), inner.height(), position_, range_)
                                      : ThumbSpan(inner.left(), inner.width(), position_, range_);
    const QRect thumb = vertical_ ? QRect(inner.left(), span.start, inner.width(), span.length)
                                  : QRect(span.start, inner.top(), span.length, inner.height());

    const ColorRef c =
        colors.Get(dragging_ ? InterfaceColor::ScrollBarMoving : InterfaceColor::ScrollBar);
    const QColor edge = ToQColor(LightenColor(c, 0.5));
    // Shaded across the thickness: light at both edges, the colour itself on
    // the centre line.
    QLinearGradient shade = vertical_ ? QLinearGradient(thumb.left(), 0, thumb.right() + 1, 0)
                                      : QLinearGradient(0, thumb.top(), 0, thumb.bottom() + 1);
    shade.setColorAt(0.0, edge);
    shade.setColorAt(0.5, ToQColor(c));
    shade.setColorAt(1.0, edge);
    painter.fillRect(thumb, shade);
}

}  // namespace plexion
