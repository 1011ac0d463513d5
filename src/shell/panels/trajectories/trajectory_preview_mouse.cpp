#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "grid_number_text.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"

namespace plexion {
namespace {

// How far from a point, in pixels on both axes, a press still takes it: its
// whole box.
constexpr int kPointReach = 2;

}  // namespace

CPathPoint CTrajectoryPreview::PathPointAt(QPoint position) const {
    const CVKT_Trajectory* trajectory = Trajectory();
    const double offsetX = trajectory != nullptr ? trajectory->OffsetX() : 0;
    const double offsetY = trajectory != nullptr ? trajectory->OffsetY() : 0;
    return {static_cast<double>(position.x()) + viewOffset_.x() - offsetX,
            static_cast<double>(position.y()) + viewOffset_.y() - offsetY};
}

void CTrajectoryPreview::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    lastMouse_ = at;
    if (event->button() == Qt::RightButton) {
        if (mouseMode_ == kDrawMode && !gesture_ && Trajectory() != nullptr && DeletePointAt(at)) {
            return;
        }
        ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (mouseMode_ == kMoveViewMode) {
        movingView_ = true;
        return;
    }
    if (Trajectory() != nullptr) {
        BeginGesture(at);
    }
}

void CTrajectoryPreview::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (movingView_) {
        MoveViewBy(lastMouse_.x() - at.x(), lastMouse_.y() - at.y());
    } else if (gesture_) {
        ContinueGesture(at);
    }
    lastMouse_ = at;
}

void CTrajectoryPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    movingView_ = false;
    FinishGesture();
}

void CTrajectoryPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    if (mouseMode_ == kMoveViewMode && event->button() == Qt::LeftButton) {
        MoveViewToOrigin();
        return;
    }
    // In draw mode the second click of a double click is a click.
    mousePressEvent(event);
}

void CTrajectoryPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && gesture_) {
        gesture_.reset();
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTrajectoryPreview::contextMenuEvent(QContextMenuEvent* event) {
    // The right button opens the menu itself, since it deletes points too.
    if (event->reason() != QContextMenuEvent::Mouse) {
        ShowContextMenu(event->globalPos());
    }
}

void CTrajectoryPreview::BeginGesture(QPoint position) {
    const CPathPoint at = PathPointAt(position);
    const int point =
        PointAtPixel(ShownPoints(), TruncateToInt(at.x), TruncateToInt(at.y), kPointReach);
    if (point >= 0) {
        gesture_ = CPathGesture::Drag(ShownPoints(), point);
        grabbedAt_ = at;
        return;
    }
    gesture_ = CPathGesture::Stroke(ShownPoints());
    ContinueGesture(position);
}

void CTrajectoryPreview::ContinueGesture(QPoint position) {
    if (gesture_->IsStroke()) {
        if (follow_) {
            position = FollowPen(position);
        }
        gesture_->Draw(PathPointAt(position));
    } else {
        const CPathPoint at = PathPointAt(position);
        gesture_->MoveBy({at.x - grabbedAt_.x, at.y - grabbedAt_.y});
    }
    update();
}

QPoint CTrajectoryPreview::FollowPen(QPoint position) {
    const QPoint middle(width() / 2, height() / 2);
    SetViewOffset(QPointF(viewOffset_) + QPointF(position - middle));
    QCursor::setPos(mapToGlobal(middle));
    lastMouse_ = middle;
    return middle;
}

void CTrajectoryPreview::FinishGesture() {
    if (!gesture_) {
        return;
    }
    const CPathGesture gesture = std::move(*gesture_);
    gesture_.reset();
    if (edit_) {
        edit_(gesture.IsStroke() ? QStringLiteral("Draw Trajectory Points")
                                 : QStringLiteral("Move Trajectory Point"),
              [&gesture](CVKT_Trajectory& trajectory) { return gesture.ApplyTo(trajectory); });
    }
    Refresh();
}

bool CTrajectoryPreview::DeletePointAt(QPoint position) {
    const CPathPoint at = PathPointAt(position);
    const int point =
        PointAtPixel(ShownPoints(), TruncateToInt(at.x), TruncateToInt(at.y), kPointReach);
    if (point < 0) {
        return false;
    }
    if (edit_) {
        edit_(QStringLiteral("Delete Trajectory Point"),
              [point](CVKT_Trajectory& trajectory) { return trajectory.RemovePoint(point); });
    }
    Refresh();
    return true;
}

void CTrajectoryPreview::ShowContextMenu(QPoint globalPosition) {
    QMenu menu(this);
    QAction* draw = menu.addAction(QStringLiteral("&Draw Points"));
    draw->setStatusTip(QStringLiteral("The mouse draws, moves and deletes points"));
    draw->setCheckable(true);
    draw->setChecked(mouseMode_ == kDrawMode);
    QAction* move = menu.addAction(QStringLiteral("&Move View"));
    move->setStatusTip(QStringLiteral("The mouse moves the view"));
    move->setCheckable(true);
    move->setChecked(mouseMode_ == kMoveViewMode);
    menu.addSeparator();
    QAction* bitmaps = menu.addAction(QStringLiteral("&Bitmaps..."));
    bitmaps->setStatusTip(QStringLiteral("Chose the background and the moving object"));
    QAction* chosen = menu.exec(globalPosition);
    if (chosen == draw) {
        SetMouseMode(kDrawMode);
    } else if (chosen == move) {
        SetMouseMode(kMoveViewMode);
    } else if (chosen == bitmaps) {
        ShowBitmapsDialog();
    }
}

}  // namespace plexion
