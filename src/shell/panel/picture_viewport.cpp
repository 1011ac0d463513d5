#include "picture_viewport.h"

#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace plexion {
namespace {

constexpr std::array<double, CPictureViewport::kZoomStepCount> kZoomSteps = {
    0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0, 12.0, 16.0};
constexpr int kPercent = 100;

}  // namespace

double CPictureViewport::ZoomOfStep(int step) {
    return kZoomSteps[static_cast<std::size_t>(std::clamp(step, 0, kZoomStepCount - 1))];
}

int CPictureViewport::ZoomPercent() const {
    return qRound(Zoom() * kPercent);
}

QPointF CPictureViewport::ToPicture(QPointF areaPoint) const {
    return (areaPoint - QPointF(Origin())) / Zoom();
}

QPointF CPictureViewport::ToArea(QPointF picturePoint) const {
    return QPointF(Origin()) + picturePoint * Zoom();
}

bool CPictureViewport::ZoomAbout(QPoint areaPoint, int steps) {
    const int step = std::clamp(step_ + steps, 0, kZoomStepCount - 1);
    if (step == step_) {
        return false;
    }
    // The middle of the screen pixel under the point stays on that pixel.
    const QPointF middle = QPointF(areaPoint) + QPointF(0.5, 0.5);
    const QPointF fixed = ToPicture(middle);
    step_ = step;
    const QPointF origin = middle - fixed * Zoom();
    pan_ = QPoint(static_cast<int>(std::floor(origin.x() + 0.5)),
                  static_cast<int>(std::floor(origin.y() + 0.5))) -
           QPoint(kOrigin, kOrigin);
    return true;
}

void CPictureViewport::Reset() {
    step_ = kNormalZoomStep;
    pan_ = QPoint();
}

}  // namespace plexion
