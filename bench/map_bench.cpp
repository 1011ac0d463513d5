// One frame of a 1,000 x 1,000 map of 32 x 32 tiles drawn into a
// 1,920 x 1,080 view by the map's own drawing, against drawing the same
// visible tiles with plain QPainter calls, in one run.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>
#include <vector>

#include "all_kinds.h"
#include "bitmap_item.h"
#include "map_item.h"
#include "map_resize.h"
#include "resource_container.h"

namespace {

constexpr int kTile = 32;
constexpr int kTiles = 24;
constexpr int kMapSide = 1000;
constexpr int kViewWidth = 1920;
constexpr int kViewHeight = 1080;
// A view position that cuts tiles at every edge.
constexpr int kScrollX = -(kTile * 400 + 13);
constexpr int kScrollY = -(kTile * 550 + 21);

// A sprite with a soft edge, as tiles with transparent parts are.
QImage Tile(int seed) {
    QImage image(kTile, kTile, QImage::Format_ARGB32);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const int alpha = (x + y + seed) % 7 == 0 ? 0 : 255;
            image.setPixel(x, y, qRgba((x * 8 + seed * 10) & 255, (y * 8) & 255, seed * 9, alpha));
        }
    }
    return image;
}

struct CMapScene {
    plexion::CVKT_ResourceContainer document;
    plexion::CVKT_Map* map = nullptr;
    std::vector<QImage> tiles;
    QImage view{kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied};
};

CMapScene& Scene() {
    static CMapScene* scene = [] {
        plexion::RegisterAllResourceKinds();
        auto* made = new CMapScene;
        for (int i = 0; i < kTiles; ++i) {
            auto* bitmap = made->document.GetAt<plexion::CVKT_Bitmap>(
                made->document.New<plexion::CVKT_Bitmap>("tile"));
            bitmap->TakeImage(Tile(i));
            made->tiles.push_back(*bitmap->Image());
        }
        made->map =
            made->document.GetAt<plexion::CVKT_Map>(made->document.New<plexion::CVKT_Map>("world"));
        plexion::map_size::SetDimensions(*made->map, kMapSide, kMapSide);
        std::uint32_t noise = 2463534242u;
        for (int column = 0; column < kMapSide; ++column) {
            for (int line = 0; line < kMapSide; ++line) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                // One cell in 16 is empty.
                const int value = noise % 16 == 0 ? -1 : static_cast<int>(noise % kTiles);
                made->map->SetCell(column, line, static_cast<std::int16_t>(value));
            }
        }
        return made;
    }();
    return *scene;
}

void BM_PlainQPainterTiles(benchmark::State& state) {
    CMapScene& scene = Scene();
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
    CMapScene& scene = Scene();
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
