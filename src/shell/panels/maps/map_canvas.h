#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

#include "map_cell_overlay.h"
#include "map_cell_walk.h"
#include "map_viewport.h"

namespace plexion {

class CVKT_Map;
class CVKT_ResourceContainer;

// The map of the Maps panel's display, drawn with the bitmaps its cells
// name, scrolled and zoomed. The left button paints the cells it passes
// over with the paint value; Shift+left drags the view; Shift+Control+left
// drags out a rectangle to fill; the right button picks a cell's value.
// A stroke is kept aside and shown over the map until the button is
// released; then the owner writes it into the document in one edit.
class CMapCanvas : public QWidget {
    Q_OBJECT
public:
    // Asked at every use, so that a map gone from the document is never
    // drawn or painted.
    using MapSource = std::function<const CVKT_Map*()>;

    explicit CMapCanvas(QWidget* parent = nullptr);

    void SetSource(const CVKT_ResourceContainer* document, MapSource source);
    // After the map, its size or the bitmaps changed: fits the view to the
    // map and repaints all. A stroke in progress is dropped.
    void Reload();

    const CMapViewport& Viewport() const { return viewport_; }
    void ScrollTo(QPointF scroll);
    // Keeps the map point under the view point `anchor` in place.
    void ZoomAbout(double zoom, QPointF anchor);
    // One step up or down the zoom ladder about the view's centre.
    void StepZoom(int steps);

    std::int16_t PaintValue() const { return paintValue_; }
    void SetPaintValue(std::int16_t value) { paintValue_ = value; }
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool shown);

    // The cells of the stroke that ended, for the owner to write; it then
    // calls ClearStroke.
    const CMapCellOverlay& Stroke() const { return stroke_; }
    void ClearStroke();

    // The cell under a view point; none off the map.
    std::optional<map_cells::CCell> CellAt(QPointF view) const;
    // The view pixels a cell covers.
    QRect CellRect(int column, int line) const;

signals:
    // The zoom, the scroll position or the view's size changed.
    void viewChanged();
    void cellHovered(int column, int line);
    void strokeFinished();
    void rectangleFilled(int firstColumn, int firstLine, int lastColumn, int lastLine);
    void cellPicked(std::int16_t value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Paint, Scroll, Rectangle };

    const CVKT_Map* Map() const;
    void Press(QMouseEvent* event);
    void PaintAlong(QPointF from, QPointF to);
    void Pick(QPointF view);
    void CancelDrag();
    QRect RectangleInView() const;
    void DrawGridLines(QPainter& painter, const CVKT_Map& map, const QRect& dirty) const;

    const CVKT_ResourceContainer* document_ = nullptr;
    MapSource source_;
    CMapViewport viewport_;
    CMapCellOverlay stroke_;
    std::int16_t paintValue_ = 0;
    bool gridLines_ = false;
    Drag drag_ = Drag::None;
    QPointF lastPoint_;
    map_cells::CCell rectangleAnchor_;
    map_cells::CCell rectangleEnd_;
};

}  // namespace plexion
