#include "trajectory_preview.h"

#include <QCursor>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "grid_number_text.h"
#include "resource_container.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// Far beyond any game world, and far enough inside the int range that
// sums of an offset, a position and a widget coordinate never overflow.
constexpr double kViewOffsetLimit = 1 << 30;

int Saturated(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// min - (extent - (max + 1 - min)) / 2, dividing as integers do.
int CenteredAxis(double minimum, double maximum, int extent) {
    const std::int64_t low = TruncateToInt(minimum);
    const std::int64_t high = TruncateToInt(maximum);
    return Saturated(low - (extent - (high + 1 - low)) / 2);
}

}  // namespace

QPoint CenteredViewOffset(const CPathBounds& bounds, QSize client) {
    return QPoint(CenteredAxis(bounds.minX, bounds.maxX, client.width()),
                  CenteredAxis(bounds.minY, bounds.maxY, client.height()));
}

CTrajectoryPreview::CTrajectoryPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
}

CTrajectoryPreview::~CTrajectoryPreview() = default;

void CTrajectoryPreview::SetResourceContainer(const CVKT_ResourceContainer* container) {
    gesture_.reset();
    container_ = container;
    state_.Cursor().SetResourceContainer(container);
    state_.ObjectAnimation().SetDocument(container);
    update();
}

void CTrajectoryPreview::SetTrajectoryIndex(int index) {
    gesture_.reset();
    state_.Cursor().SetTrajectoryIndex(index);
    update();
    emit mayAnimate();
}

void CTrajectoryPreview::Rewind() {
    state_.Cursor().Rewind();
    update();
}

void CTrajectoryPreview::Refresh() {
    state_.Cursor().Refresh();
    if (Trajectory() == nullptr) {
        gesture_.reset();
    }
    update();
    emit mayAnimate();
}

void CTrajectoryPreview::Redraw() {
    repaint();
}

const CVKT_Trajectory* CTrajectoryPreview::Trajectory() const {
    return state_.Cursor().Trajectory();
}

std::span<const CPathPoint> CTrajectoryPreview::ShownPoints() const {
    if (gesture_) {
        return gesture_->Points();
    }
    const CVKT_Trajectory* trajectory = Trajectory();
    return trajectory != nullptr ? trajectory->Points() : std::span<const CPathPoint>();
}

void CTrajectoryPreview::SetViewOffset(QPointF offset) {
    viewOffset_ =
        QPoint(TruncateToInt(std::clamp(offset.x(), -kViewOffsetLimit, kViewOffsetLimit)),
               TruncateToInt(std::clamp(offset.y(), -kViewOffsetLimit, kViewOffsetLimit)));
}

void CTrajectoryPreview::MoveViewToOrigin() {
    SetViewOffset({0, 0});
    update();
}

void CTrajectoryPreview::CenterTrajectory() {
    const CVKT_Trajectory* trajectory = Trajectory();
    if (trajectory == nullptr) {
        return;
    }
    SetViewOffset(CenteredViewOffset(BoundsOf(trajectory->Points()), size()));
    update();
}

void CTrajectoryPreview::MoveViewBy(int dx, int dy) {
    SetViewOffset(QPointF(viewOffset_) + QPointF(dx, dy));
    update();
}

void CTrajectoryPreview::SetPlaySpeed(double speed) {
    state_.SetPlaySpeed(speed);
    emit viewStateChanged();
    emit mayAnimate();
}

void CTrajectoryPreview::DragPlaySpeed(int dy) {
    state_.DragPlaySpeed(dy);
    emit viewStateChanged();
    emit mayAnimate();
}

void CTrajectoryPreview::SetFollowFlag(bool follow) {
    follow_ = follow;
    update();
    emit viewStateChanged();
}

void CTrajectoryPreview::SetHideFlag(bool hide) {
    hide_ = hide;
    update();
    emit viewStateChanged();
}

void CTrajectoryPreview::SetMouseMode(int mode) {
    gesture_.reset();
    movingView_ = false;
    mouseMode_ = mode == kMoveViewMode ? kMoveViewMode : kDrawMode;
    setCursor(mouseMode_ == kMoveViewMode ? Qt::SizeAllCursor : Qt::ArrowCursor);
    update();
    emit viewStateChanged();
}

QString CTrajectoryPreview::LabelText() const {
    return QString::asprintf("%s\n%.3f / %d", frameRate_.Text().c_str(),
                             state_.Cursor().Parameter(), static_cast<int>(ShownPoints().size()));
}

void CTrajectoryPreview::showEvent(QShowEvent* event) {
    state_.SetInactive(false);
    QWidget::showEvent(event);
    emit mayAnimate();
}

void CTrajectoryPreview::hideEvent(QHideEvent* event) {
    state_.SetInactive(true);
    gesture_.reset();
    QWidget::hideEvent(event);
}

}  // namespace plexion
