// The map display of a 1,000 x 1,000 map of 32 x 32 tiles in a 1,920 x 1,080
// view: repainting the one cell a paint changed, and repainting the whole
// view at 25 %, each against drawing the same tiles over the same area with
// plain QPainter calls, in one run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cstdint>

#include "map_canvas.h"
#include "map_scene.h"

namespace {

using namespace plexion::bench;

// The view's corner in the map, cutting tiles at every edge.
constexpr int kScrollX = kTile * 400 + 13;
constexpr int kScrollY = kTile * 550 + 21;
// The painted cell, inside the view.
constexpr int kCellColumn = 430;
constexpr int kCellLine = 566;

// A display over the scene at `zoom`, scrolled to the view's corner.
struct CDisplay {
    explicit CDisplay(double zoom) {
        CMapScene& scene = MapScene();
        canvas.resize(kViewWidth, kViewHeight);
        canvas.SetSource(&scene.document, [&scene] { return scene.map; });
        canvas.ZoomAbout(zoom, QPointF(0, 0));
        canvas.ScrollTo(QPointF(kScrollX, kScrollY) * zoom);
    }
    plexion::CMapCanvas canvas;
};

QRect CellInView() {
    return {kCellColumn * kTile - kScrollX, kCellLine * kTile - kScrollY, kTile, kTile};
}

// The plain drawing of the tiles of the map rectangle `area` (in map
// pixels) at `zoom`.
void PlainTiles(QPainter& painter, const QRect& area, double zoom) {
    const CMapScene& scene = MapScene();
    painter.scale(zoom, zoom);
    painter.translate(-kScrollX, -kScrollY);
    for (int line = area.top() / kTile; line <= area.bottom() / kTile; ++line) {
        for (int column = area.left() / kTile; column <= area.right() / kTile; ++column) {
            const auto value = static_cast<std::uint16_t>(scene.map->GetCell(column, line));
            if (value < scene.tiles.size()) {
                painter.drawImage(QPoint(column * kTile, line * kTile), scene.tiles[value]);
            }
        }
    }
}

void BM_PlainCellRepaint(benchmark::State& state) {
    CMapScene& scene = MapScene();
    const QRect cell = CellInView();
    for (auto _ : state) {
        QPainter painter(&scene.view);
        painter.setClipRect(cell);
        painter.fillRect(cell, Qt::white);
        PlainTiles(painter, cell.translated(kScrollX, kScrollY), 1.0);
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_PlainCellRepaint)->Unit(benchmark::kMicrosecond);

void BM_DisplayCellRepaint(benchmark::State& state) {
    CMapScene& scene = MapScene();
    CDisplay display(1.0);
    const QRect cell = CellInView();
    // The left button down on the cell paints it: the stroke shows it.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(cell.center()), QPointF(cell.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    display.canvas.SetPaintValue(kTiles - 1);
    QApplication::sendEvent(&display.canvas, &press);
    for (auto _ : state) {
        display.canvas.render(&scene.view, cell.topLeft(), QRegion(cell));
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_DisplayCellRepaint)->Unit(benchmark::kMicrosecond);

void BM_PlainQuarterFrame(benchmark::State& state) {
    CMapScene& scene = MapScene();
    const QRect area(kScrollX, kScrollY, kViewWidth * 4, kViewHeight * 4);
    for (auto _ : state) {
        QPainter painter(&scene.view);
        painter.fillRect(scene.view.rect(), Qt::white);
        PlainTiles(painter, area, 0.25);
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_PlainQuarterFrame)->Unit(benchmark::kMillisecond);

void BM_DisplayQuarterFrame(benchmark::State& state) {
    CMapScene& scene = MapScene();
    CDisplay display(0.25);
    for (auto _ : state) {
        display.canvas.render(&scene.view);
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_DisplayQuarterFrame)->Unit(benchmark::kMillisecond);

}  // namespace
