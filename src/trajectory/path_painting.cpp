#include "path_painting.h"

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace plexion {
namespace {

constexpr int kBoxReach = 2;  // a box spans the point ± 2
constexpr int kFrameReach = 5;
constexpr int kShapeAlpha = 128;
constexpr QRgb kLineColor = 0xFF000000;
constexpr QRgb kFirstColor = 0xFF00FF00;
constexpr QRgb kLastColor = 0xFFFF0000;
// Coordinates well inside what the painter handles exactly; anything beyond
// is clipped to the image first.
constexpr double kSafeCoordinate = 1 << 20;

struct CPixelPoint {
    double x;
    double y;
};

// The image area a drawing may touch, a little larger than the image so
// that clipped edges stay outside it.
struct CClipArea {
    double left, top, right, bottom;
    bool Contains(CPixelPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

bool IsFinite(CPixelPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool IsSafe(CPixelPoint p) {
    return std::fabs(p.x) <= kSafeCoordinate && std::fabs(p.y) <= kSafeCoordinate;
}

QPoint Rounded(CPixelPoint p) {
    return QPoint(static_cast<int>(std::round(p.x)), static_cast<int>(std::round(p.y)));
}

// Liang-Barsky: the part of a-b inside the area; false when none is.
bool ClipSegment(CPixelPoint& a, CPixelPoint& b, const CClipArea& area) {
    double enter = 0.0;
    double leave = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - area.left, area.right - a.x, a.y - area.top, area.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, r);
        } else {
            leave = std::min(leave, r);
        }
    }
    if (!(enter <= leave)) {
        return false;
    }
    const CPixelPoint from = a;
    a = {from.x + enter * dx, from.y + enter * dy};
    b = {from.x + leave * dx, from.y + leave * dy};
    return true;
}

// Sutherland-Hodgman against one edge of the area. The parts cut away are
// replaced by runs along that edge, outside the image, so the even-odd fill
// inside the image stays what it was.
template <typename Inside, typename Cross>
std::vector<CPixelPoint> ClipPolygonEdge(const std::vector<CPixelPoint>& polygon, Inside inside,
                                         Cross cross) {
    std::vector<CPixelPoint> clipped;
    clipped.reserve(polygon.size());
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const CPixelPoint& from = polygon[i == 0 ? polygon.size() - 1 : i - 1];
        const CPixelPoint& to = polygon[i];
        if (inside(to)) {
            if (!inside(from)) {
                clipped.push_back(cross(from, to));
            }
            clipped.push_back(to);
        } else if (inside(from)) {
            clipped.push_back(cross(from, to));
        }
    }
    return clipped;
}

std::vector<CPixelPoint> ClipPolygon(std::vector<CPixelPoint> polygon, const CClipArea& area) {
    const auto atX = [](double x) {
        return [x](CPixelPoint a, CPixelPoint b) {
            return CPixelPoint{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
        };
    };
    const auto atY = [](double y) {
        return [y](CPixelPoint a, CPixelPoint b) {
            return CPixelPoint{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
        };
    };
    polygon = ClipPolygonEdge(
        polygon, [&](CPixelPoint p) { return p.x >= area.left; }, atX(area.left));
    polygon = ClipPolygonEdge(
        polygon, [&](CPixelPoint p) { return p.x <= area.right; }, atX(area.right));
    polygon = ClipPolygonEdge(
        polygon, [&](CPixelPoint p) { return p.y >= area.top; }, atY(area.top));
    return ClipPolygonEdge(
        polygon, [&](CPixelPoint p) { return p.y <= area.bottom; }, atY(area.bottom));
}

class CPathPainter {
public:
    CPathPainter(QImage& image, const CPathPicture& picture)
        : image_(image),
          picture_(picture),
          area_{-2.0 * kBoxReach, -2.0 * kBoxReach, image.width() + 2.0 * kBoxReach,
                image.height() + 2.0 * kBoxReach} {}

    void Paint() {
        const auto count = picture_.points.size();
        if (count == 0) {
            return;
        }
        if (picture_.endsOnly) {
            PaintBoxes(false);
            return;
        }
        switch (picture_.type) {
            case CVKT_Trajectory::kTypePolygon:
                PaintPolygon();
                break;
            case CVKT_Trajectory::kTypeCollisionTest:
                PaintCrosses();
                PaintPolygon();
                PaintCenterFrame();
                break;
            default:
                PaintLines();
                PaintBoxes(true);
                break;
        }
    }

private:
    CPixelPoint Pixel(std::size_t i) const {
        const CPathPoint& p = picture_.points[i];
        return {picture_.origin.x() + std::round(p.x), picture_.origin.y() + std::round(p.y)};
    }

    // Runs of whole segments go to the painter as polylines, without the
    // repeats of points that round to the same pixel; a segment reaching
    // far beyond the image is clipped and drawn on its own.
    void PaintLines() {
        QPainter painter(&image_);
        painter.setPen(QColor::fromRgba(kLineColor));
        QPolygon run;
        const auto flush = [&] {
            if (run.size() > 1) {
                painter.drawPolyline(run);
            }
            run.clear();
        };
        CPixelPoint previous = Pixel(0);
        for (std::size_t i = 1; i < picture_.points.size(); ++i) {
            const CPixelPoint next = Pixel(i);
            CPixelPoint a = previous;
            CPixelPoint b = next;
            previous = next;
            if (!IsFinite(a) || !IsFinite(b) || std::max(a.x, b.x) < area_.left ||
                std::min(a.x, b.x) > area_.right || std::max(a.y, b.y) < area_.top ||
                std::min(a.y, b.y) > area_.bottom) {
                flush();
                continue;
            }
            if (IsSafe(a) && IsSafe(b)) {
                if (run.isEmpty()) {
                    run << Rounded(a);
                }
                if (Rounded(b) != run.last()) {
                    run << Rounded(b);
                }
                continue;
            }
            flush();
            if (ClipSegment(a, b, area_)) {
                painter.drawLine(Rounded(a), Rounded(b));
            }
        }
        flush();
    }

    void PaintPolygon() {
        // A point that is no number has no place on the outline.
        std::vector<CPixelPoint> pixels;
        pixels.reserve(picture_.points.size());
        bool safe = true;
        for (std::size_t i = 0; i < picture_.points.size(); ++i) {
            const CPixelPoint p = Pixel(i);
            // A repeated vertex adds an edge of no length: nothing to fill.
            if (IsFinite(p) &&
                (pixels.empty() || p.x != pixels.back().x || p.y != pixels.back().y)) {
                pixels.push_back(p);
                safe = safe && IsSafe(p);
            }
        }
        if (!safe) {
            pixels = ClipPolygon(std::move(pixels), area_);
        }
        QPolygon polygon(static_cast<int>(pixels.size()));
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            polygon[static_cast<int>(i)] = Rounded(pixels[i]);
        }
        QColor fill = picture_.shapeColor;
        fill.setAlpha(kShapeAlpha);
        QPainter painter(&image_);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }

    // A box outline on every point (or on the first and last only), then
    // the first point's box filled green and the last one's red: a path of
    // one point shows a red box.
    void PaintBoxes(bool everyPoint) {
        const std::size_t last = picture_.points.size() - 1;
        if (everyPoint) {
            // A point on the pixel of the one before has its box already.
            CPixelPoint drawn = Pixel(0);
            PaintBoxOutline(drawn);
            for (std::size_t i = 1; i <= last; ++i) {
                const CPixelPoint p = Pixel(i);
                if (p.x != drawn.x || p.y != drawn.y) {
                    PaintBoxOutline(p);
                    drawn = p;
                }
            }
        } else {
            PaintBoxOutline(Pixel(0));
            PaintBoxOutline(Pixel(last));
        }
        FillBox(Pixel(0), kFirstColor);
        FillBox(Pixel(last), kLastColor);
    }

    bool Visible(CPixelPoint p, int reach) const {
        return p.x >= -reach && p.y >= -reach && p.x < image_.width() + reach &&
               p.y < image_.height() + reach;
    }

    void SetPixel(int x, int y, QRgb color) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) {
            reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] = color;
        }
    }

    void PaintBoxOutline(CPixelPoint center) {
        if (!Visible(center, kBoxReach)) {
            return;
        }
        const int x = static_cast<int>(center.x);
        const int y = static_cast<int>(center.y);
        for (int d = -kBoxReach; d <= kBoxReach; ++d) {
            SetPixel(x + d, y - kBoxReach, kLineColor);
            SetPixel(x + d, y + kBoxReach, kLineColor);
            SetPixel(x - kBoxReach, y + d, kLineColor);
            SetPixel(x + kBoxReach, y + d, kLineColor);
        }
    }

    void FillBox(CPixelPoint center, QRgb color) {
        if (!Visible(center, kBoxReach)) {
            return;
        }
        const int x = static_cast<int>(center.x);
        const int y = static_cast<int>(center.y);
        for (int dy = 1 - kBoxReach; dy < kBoxReach; ++dy) {
            for (int dx = 1 - kBoxReach; dx < kBoxReach; ++dx) {
                SetPixel(x + dx, y + dy, color);
            }
        }
    }

    void PaintCrosses() {
        const QRgb color = picture_.shapeColor.rgb();
        CPixelPoint drawn{std::nan(""), std::nan("")};
        for (std::size_t i = 0; i < picture_.points.size(); ++i) {
            const CPixelPoint p = Pixel(i);
            if (!Visible(p, 1) || (p.x == drawn.x && p.y == drawn.y)) {
                continue;
            }
            drawn = p;
            const int x = static_cast<int>(p.x);
            const int y = static_cast<int>(p.y);
            SetPixel(x, y, color);
            SetPixel(x - 1, y, color);
            SetPixel(x + 1, y, color);
            SetPixel(x, y - 1, color);
            SetPixel(x, y + 1, color);
        }
    }

    // An 11 x 11 raised frame filled in the shape colour.
    void PaintCenterFrame() {
        const CPixelPoint center{picture_.origin.x() + std::round(picture_.centerOfMass.x),
                                 picture_.origin.y() + std::round(picture_.centerOfMass.y)};
        if (!Visible(center, kFrameReach)) {
            return;
        }
        const QRect frame(static_cast<int>(center.x) - kFrameReach,
                          static_cast<int>(center.y) - kFrameReach, 2 * kFrameReach + 1,
                          2 * kFrameReach + 1);
        QPainter painter(&image_);
        painter.fillRect(frame, picture_.shapeColor);
        painter.setPen(picture_.shapeColor.lighter(160));
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(picture_.shapeColor.darker(200));
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
    }

    QImage& image_;
    const CPathPicture& picture_;
    CClipArea area_;
    // The image's pixels, taken once: asking the image for a line detaches
    // it every time.
    uchar* bits_ = image_.bits();
    qsizetype stride_ = image_.bytesPerLine();
    int width_ = image_.width();
    int height_ = image_.height();
};

}  // namespace

void PaintPath(QImage& image, const CPathPicture& picture) {
    if (image.depth() != 32 || image.isNull()) {
        return;
    }
    CPathPainter(image, picture).Paint();
}

}  // namespace plexion
