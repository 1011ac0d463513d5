#include "map_viewport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace plexion {
namespace {

constexpr std::array<double, 10> kZoomSteps = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};

// Map rectangles are handed to drawing in ints.
int ToInt(double value) {
    constexpr double kLimit = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

void CMapViewport::SetMapSize(QSizeF pixels) {
    mapSize_ = pixels;
    SetScroll(scroll_);
}

void CMapViewport::SetViewSize(QSizeF pixels) {
    viewSize_ = pixels;
    SetScroll(scroll_);
}

QPointF CMapViewport::Clamped(QPointF scroll) const {
    const QSizeF content = ContentSize();
    // Whole view pixels keep the cells' edges on the screen's pixels.
    return {
        std::round(std::clamp(scroll.x(), 0.0, std::max(0.0, content.width() - viewSize_.width()))),
        std::round(
            std::clamp(scroll.y(), 0.0, std::max(0.0, content.height() - viewSize_.height())))};
}

bool CMapViewport::SetScroll(QPointF scroll) {
    const QPointF clamped = Clamped(scroll);
    if (clamped == scroll_) {
        return false;
    }
    scroll_ = clamped;
    return true;
}

bool CMapViewport::SetZoom(double zoom, QPointF anchor) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) {
        return false;
    }
    const QPointF kept = ToMap(anchor);
    zoom_ = zoom;
    scroll_ = Clamped(kept * zoom_ - anchor);
    return true;
}

double CMapViewport::SteppedZoom(int steps) const {
    const auto nearest = std::min_element(
        kZoomSteps.begin(), kZoomSteps.end(),
        [&](double a, double b) { return std::abs(a - zoom_) < std::abs(b - zoom_); });
    const int index = std::clamp(static_cast<int>(nearest - kZoomSteps.begin()) + steps, 0,
                                 static_cast<int>(kZoomSteps.size()) - 1);
    return kZoomSteps[static_cast<std::size_t>(index)];
}

QRect CMapViewport::MapRectOf(const QRect& view) const {
    const QPointF topLeft = ToMap(QPointF(view.left(), view.top()));
    const QPointF bottomRight = ToMap(QPointF(view.right() + 1, view.bottom() + 1));
    const int left = ToInt(std::floor(topLeft.x()));
    const int top = ToInt(std::floor(topLeft.y()));
    const int right = ToInt(std::ceil(bottomRight.x()));
    const int bottom = ToInt(std::ceil(bottomRight.y()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace plexion
