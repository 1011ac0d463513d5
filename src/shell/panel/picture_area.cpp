#include "picture_area.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kTextMargin = 4;
constexpr int kTextBoxAlpha = 128;
constexpr int kFocusedAlpha = 128;
constexpr int kUnfocusedAlpha = 64;
// One wheel notch.
constexpr int kWheelNotch = 120;
constexpr int kWheelScroll = 48;
constexpr int kArrowScroll = 16;
// Arrow keys with any of these move pictures instead of the view.
constexpr Qt::KeyboardModifiers kNudgeModifiers =
    Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier;

int WholeTowardZero(double value) {
    return static_cast<int>(std::trunc(value));
}

}  // namespace

QRegion IPictureContent::MovingParts(const CPicturePlacement&, const QRect& area) const {
    return area;
}

CPictureArea::CPictureArea(IPictureContent& content, QWidget* parent)
    : QWidget(parent), content_(content) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CPictureArea::SetView(AlphaView view) {
    if (view != view_) {
        view_ = view;
        update();
    }
}

QString CPictureArea::ZoomText() const {
    return QStringLiteral("%1 %").arg(viewport_.ZoomPercent());
}

QString CPictureArea::FrameRateText() const {
    return QString::fromStdString(frameRate_.Text());
}

void CPictureArea::Paint(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, InterfaceQColor(InterfaceColor::DialogFace));
    const CPicturePlacement placement = PlacementIn(area);
    const CPixelLines lines(painter);
    DrawOriginLines(lines, placement.origin, area, InterfaceQColor(InterfaceColor::DialogText));
    content_.DrawPictures(painter, lines, placement, area);
    const QString text = content_.Description();
    if (!text.isEmpty()) {
        DrawDescription(painter,
                        area.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin), text);
    }
    // Keyboard users see where the keys go.
    const QColor frame =
        hasFocus() ? TranslucentInterfaceColor(InterfaceColor::FocusedArea, kFocusedAlpha)
                   : TranslucentInterfaceColor(InterfaceColor::UnfocusedArea, kUnfocusedAlpha);
    DrawPictureOutline(lines, area.adjusted(1, 1, -1, -1), frame);
    painter.restore();
}

void CPictureArea::DrawDescription(QPainter& painter, const QRect& room, const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<CShapedLine> shaped;
    shaped.reserve(static_cast<std::size_t>(lines.size()));
    qreal width = 0;
    for (const QString& line : lines) {
        shaped.push_back(shapedLines_.Line(painter, line));
        width = std::max(width, shaped.back().Width());
    }
    const qreal step = QFontMetricsF(painter.font(), painter.device()).lineSpacing();
    const qreal height = step * static_cast<qreal>(lines.size());
    const QPointF corner(room.left(), room.top() + room.height() - height);
    painter.fillRect(QRectF(corner, QSizeF(width, height)).toAlignedRect(),
                     TranslucentInterfaceColor(InterfaceColor::DialogFace, kTextBoxAlpha));
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    QPointF at = corner;
    for (const CShapedLine& line : shaped) {
        line.Draw(painter, at);
        at.ry() += step;
    }
}

CPicturePlacement CPictureArea::PlacementIn(const QRect& area) const {
    return {viewport_.Origin(area.topLeft()), viewport_.Zoom(), view_};
}

QRect CPictureArea::DescriptionRoom(const QRect& area) const {
    const QString text = content_.Description();
    if (text.isEmpty()) {
        return {};
    }
    // Counted rather than laid out, which costs more than the repaint saves;
    // the whole width, as the lines may grow before the repaint draws them.
    const QRect room = area.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    const qreal lines = static_cast<qreal>(text.count(QLatin1Char('\n')) + 1);
    const int height = static_cast<int>(std::ceil(lines * QFontMetricsF(font()).lineSpacing()));
    return QRect(room.left(), room.bottom() - height - 1, room.width(), height + 3);
}

QRegion CPictureArea::MovingNow() const {
    const QRect area = rect();
    return content_.MovingParts(PlacementIn(area), area) + DescriptionRoom(area);
}

void CPictureArea::UpdateMovingParts() {
    update(paintedMoving_ + MovingNow());
}

void CPictureArea::paintEvent(QPaintEvent*) {
    frameRate_.Tick();
    // A step may move the pictures while they are painted: both places are
    // kept, so the next repaint clears whichever was drawn.
    QRegion moving = MovingNow();
    QPainter painter(this);
    Paint(painter, rect());
    paintedMoving_ = moving + MovingNow();
}

void CPictureArea::mousePressEvent(QMouseEvent* event) {
    if (drag_ != Drag::None) {
        return;
    }
    const bool pan =
        event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
    if (!pan && event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    lastMouse_ = event->position().toPoint();
    unreported_ = {};
    drag_ = pan ? Drag::Pan : Drag::Pictures;
    if (pan) {
        setCursor(Qt::ClosedHandCursor);
    } else {
        emit dragStarted();
    }
}

void CPictureArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint mouse = event->position().toPoint();
    const QPoint moved = mouse - lastMouse_;
    lastMouse_ = mouse;
    if (drag_ == Drag::Pan) {
        viewport_.Pan(moved);
        update();
    } else if (drag_ == Drag::Pictures) {
        // Picture pixels, so a zoomed picture follows the mouse as it is
        // shown; what is left over waits for the next move.
        unreported_ += QPointF(moved) / viewport_.Zoom();
        const QPoint delta(WholeTowardZero(unreported_.x()), WholeTowardZero(unreported_.y()));
        unreported_ -= QPointF(delta);
        if (!delta.isNull()) {
            emit dragged(delta, event->modifiers());
        }
    }
}

void CPictureArea::mouseReleaseEvent(QMouseEvent* event) {
    const bool ends = (drag_ == Drag::Pan && (event->button() == Qt::MiddleButton ||
                                              event->button() == Qt::LeftButton)) ||
                      (drag_ == Drag::Pictures && event->button() == Qt::LeftButton);
    if (ends) {
        EndDrag(false);
    }
}

void CPictureArea::EndDrag(bool cancelled) {
    const Drag ended = drag_;
    drag_ = Drag::None;
    unsetCursor();
    if (spaceHeld_) {
        setCursor(Qt::OpenHandCursor);
    }
    if (ended == Drag::Pictures) {
        if (cancelled) {
            emit dragCancelled();
        } else {
            emit dragFinished();
        }
    }
}

void CPictureArea::NudgePictures(QPoint toward, Qt::KeyboardModifiers modifiers) {
    // A press is a drag of one picture pixel of its own, so the owner reads
    // the modifiers as for the mouse and stores each press as one change.
    if (drag_ != Drag::None) {
        return;
    }
    emit dragStarted();
    emit dragged(toward, modifiers);
    emit dragFinished();
}

void CPictureArea::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        wheelZoom_ += angle.y();
        const int steps = wheelZoom_ / kWheelNotch;
        wheelZoom_ -= steps * kWheelNotch;
        if (steps != 0) {
            ZoomAbout(event->position().toPoint(), steps);
        }
    } else {
        QPoint by = angle * kWheelScroll / kWheelNotch;
        if (event->modifiers() & Qt::ShiftModifier) {
            by = QPoint(by.y(), by.x());
        }
        viewport_.Pan(by);
        update();
    }
    event->accept();
}

void CPictureArea::ZoomAbout(QPoint point, int steps) {
    if (viewport_.ZoomAbout(point, steps)) {
        update();
    }
}

void CPictureArea::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const QPoint middle = rect().center();
    switch (event->key()) {
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) {
                spaceHeld_ = true;
                if (drag_ == Drag::None) {
                    setCursor(Qt::OpenHandCursor);
                }
            }
            return;
        case Qt::Key_Escape:
            if (drag_ == Drag::Pictures) {
                EndDrag(true);
                return;
            }
            break;
        case Qt::Key_0:
            if (control) {
                viewport_.Reset();
                update();
                return;
            }
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus:
            if (control) {
                ZoomAbout(middle, event->key() == Qt::Key_Minus ? -1 : 1);
                return;
            }
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            const QPoint toward = event->key() == Qt::Key_Left    ? QPoint(-1, 0)
                                  : event->key() == Qt::Key_Right ? QPoint(1, 0)
                                  : event->key() == Qt::Key_Up    ? QPoint(0, -1)
                                                                  : QPoint(0, 1);
            if (event->modifiers() & kNudgeModifiers) {
                NudgePictures(toward, event->modifiers());
            } else {
                viewport_.Pan(-toward * kArrowScroll);
                update();
            }
            return;
        }
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void CPictureArea::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        if (drag_ == Drag::None) {
            unsetCursor();
        }
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CPictureArea::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CPictureArea::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    spaceHeld_ = false;
    update();
}

}  // namespace plexion
