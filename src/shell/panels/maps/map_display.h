#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

#include "map_canvas.h"

namespace plexion {

class CCustomScrollBar;
class CMapPalette;

// The Maps panel's map display: a header naming the cell under the mouse,
// the map and its dimensions, the map itself with its scroll bars, and the
// palette of values to paint with beside them.
class CMapDisplay : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 20;
    static constexpr int kPaletteWidth = 180;

    explicit CMapDisplay(QWidget* parent = nullptr);

    // The document whose current map `source` gives.
    void SetSource(const CVKT_ResourceContainer* document, CMapCanvas::MapSource source);
    // After the map changed (another map, its size, a stroke written) or the
    // bitmaps did (`bitmapsToo`).
    void Reload(bool bitmapsToo);

    CMapCanvas* Canvas() const { return canvas_; }
    CMapPalette* Palette() const { return palette_; }
    CCustomScrollBar* HorizontalBar() const { return horizontal_; }
    CCustomScrollBar* VerticalBar() const { return vertical_; }
    // "%d, %d (%d, %d)" with the cell's column and line and the map's
    // columns and lines, then the map's ID; empty without a map.
    QString HeaderText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void UpdateScrollBars();
    void OnHovered(int column, int line);

    const CVKT_ResourceContainer* document_ = nullptr;
    CMapCanvas::MapSource source_;
    CMapCanvas* canvas_;
    CCustomScrollBar* horizontal_;
    CCustomScrollBar* vertical_;
    CMapPalette* palette_;
    int hoveredColumn_ = 0;
    int hoveredLine_ = 0;
};

}  // namespace plexion
