#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

namespace plexion {

// Where a picture area shows the picture plane: the plane's origin lies
// `kOrigin` pixels right of and below the area's corner until the user pans,
// and its pixels are shown `Zoom()` times their size. The origin stays on
// whole screen pixels, so pictures at whole offsets stay crisp at every zoom.
class CPictureViewport {
public:
    static constexpr int kOrigin = 94;
    static constexpr int kZoomStepCount = 12;
    static constexpr int kNormalZoomStep = 3;

    // The zoom of each step, from 25 % to 1600 %.
    static double ZoomOfStep(int step);

    double Zoom() const { return ZoomOfStep(step_); }
    int ZoomStep() const { return step_; }
    // "100 %"
    int ZoomPercent() const;
    // Below 100 % pictures are smoothed; above, each pixel is a sharp square.
    bool SmoothScaling() const { return Zoom() < 1.0; }

    // The origin in an area whose corner is at `corner`.
    QPoint Origin(QPoint corner = {}) const { return corner + QPoint(kOrigin, kOrigin) + pan_; }
    // Area point to picture plane and back, for an area with its corner at 0, 0.
    QPointF ToPicture(QPointF areaPoint) const;
    QPointF ToArea(QPointF picturePoint) const;

    // Zooms `steps` steps in (out when negative) keeping the picture point
    // under `areaPoint` where it is; false at the end of the steps.
    bool ZoomAbout(QPoint areaPoint, int steps);
    void Pan(QPoint by) { pan_ += by; }
    // 100 %, the origin at its place.
    void Reset();

private:
    int step_ = kNormalZoomStep;
    QPoint pan_;
};

}  // namespace plexion
