#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

namespace plexion {

// Where the map display looks: the map's size in its own pixels, the
// view's size, the zoom and the scroll position. View point p shows map
// point (p + scroll) / zoom; the scroll is kept so that the view never
// shows more than it must beyond the map's right and bottom edges.
class CMapViewport {
public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 8.0;

    void SetMapSize(QSizeF pixels);
    void SetViewSize(QSizeF pixels);
    QSizeF MapSize() const { return mapSize_; }
    QSizeF ViewSize() const { return viewSize_; }
    // The zoomed map's size in view pixels.
    QSizeF ContentSize() const { return mapSize_ * zoom_; }

    double Zoom() const { return zoom_; }
    QPointF Scroll() const { return scroll_; }
    // Both clamp; they answer whether the view moved.
    bool SetScroll(QPointF scroll);
    // Keeps the map point under the view point `anchor` where it is.
    bool SetZoom(double zoom, QPointF anchor);
    // The zoom `steps` steps up (or down, when negative) the ladder of
    // 25 %, 50 %, 75 %, 100 %, 150 %, 200 %, 300 %, 400 %, 600 % and 800 %.
    double SteppedZoom(int steps) const;

    QPointF ToMap(QPointF view) const { return (view + scroll_) / zoom_; }
    QRectF ToView(const QRectF& map) const {
        return {map.topLeft() * zoom_ - scroll_, map.size() * zoom_};
    }
    // The whole map pixels a view rectangle shows any part of.
    QRect MapRectOf(const QRect& view) const;

private:
    QPointF Clamped(QPointF scroll) const;

    QSizeF mapSize_;
    QSizeF viewSize_;
    double zoom_ = 1.0;
    QPointF scroll_;
};

}  // namespace plexion
