// One frame of a 1,000 x 1,000 map of 32 x 32 tiles drawn into a
// 1,920 x 1,080 view by the map's own drawing, against drawing the same
// visible tiles with plain QPainter calls, in one run.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <cstdint>

#include "map_scene.h"

namespace {

using namespace plexion::bench;

// A view position that cuts tiles at every edge.
constexpr int kScrollX = -(kTile * 400 + 13);
constexpr int kScrollY = -(kTile * 550 + 21);

void BM_PlainQPainterTiles(benchmark::State& state) {
    CMapScene& scene = MapScene();
    const plexion::CVKT_Map& map = *scene.map;
    for (auto _ : state) {
        QPainter painter(&scene.view);
        const int firstColumn = -kScrollX / kTile;
        const int firstLine = -kScrollY / kTile;
        const int lastColumn = (kViewWidth - 1 - kScrollX) / kTile;
        const int lastLine = (kViewHeight - 1 - kScrollY) / kTile;
        for (int line = firstLine; line <= lastLine; ++line) {
            for (int column = firstColumn; column <= lastColumn; ++column) {
                const auto value = static_cast<std::uint16_t>(map.GetCell(column, line));
                if (value < scene.tiles.size()) {
                    painter.drawImage(QPoint(column * kTile + kScrollX, line * kTile + kScrollY),
                                      scene.tiles[value]);
                }
            }
        }
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_PlainQPainterTiles)->Unit(benchmark::kMillisecond);

void BM_MapDraw(benchmark::State& state) {
    CMapScene& scene = MapScene();
    for (auto _ : state) {
        QPainter painter(&scene.view);
        scene.map->Draw(scene.document, painter, 0, 0, kScrollX, kScrollY, 0, 0, kViewWidth,
                        kViewHeight);
    }
    benchmark::DoNotOptimize(scene.view.constBits());
}
BENCHMARK(BM_MapDraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
