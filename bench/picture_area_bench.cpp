// Repainting the Bitmaps panel's picture area with 200 marked 64 x 64
// pictures at 100 %, and with one 4096 x 4096 picture at 800 %, against a
// plain QPainter drawing the same pictures at the same places into a canvas
// of the same size, in the same run.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <string>

#include "bitmap_item.h"
#include "bitmaps_panel.h"
#include "plexion_doc.h"
#include "resource_container.h"

namespace plexion {
namespace {

constexpr int kAreaWidth = 800;
constexpr int kAreaHeight = 600;
constexpr int kSmallCount = 200;
constexpr int kSmallSide = 64;
constexpr int kLargeSide = 4096;
constexpr int kLargeZoomSteps = 6;  // 100 % to 800 %
constexpr double kLargeZoom = 8.0;

QImage Picture(int side, int seed) {
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor::fromHsv(seed % 360, 200, 220, 200));
    return picture;
}

// A Bitmaps panel over a document of `count` pictures, all marked.
struct CPanelSetup {
    CPanelSetup(int count, int side) {
        document.Edit(QStringLiteral("Fill"), [&](CVKT_ResourceContainer& resources) {
            for (int i = 0; i < count; ++i) {
                auto* bitmap =
                    resources.GetAt<CVKT_Bitmap>(resources.New<CVKT_Bitmap>(std::to_string(i)));
                bitmap->TakeImage(Picture(side, i));
                bitmap->SetOffsetX((i * 37) % 600 - 80);
                bitmap->SetOffsetY((i * 53) % 450 - 80);
            }
            return true;
        });
        panel.SetDocument(&document, nullptr);
        panel.SetResourceContainer(&document.Resources());
        panel.CreatePanel(&window, QRect(0, 0, 2 * kAreaWidth, kAreaHeight));
        panel.SetAllMarked(false, true, false);
    }
    QWidget window;
    CPlexionDoc document;
    CBitmapsPanel panel;
};

void PaintArea(benchmark::State& state, CPanelSetup& setup) {
    QImage canvas(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        setup.panel.DrawPreview(painter, canvas.rect());
        benchmark::DoNotOptimize(canvas.bits());
    }
}

void BM_AreaManySmall(benchmark::State& state) {
    CPanelSetup setup(kSmallCount, kSmallSide);
    PaintArea(state, setup);
}

void BM_PlainManySmall(benchmark::State& state) {
    std::vector<std::pair<QPoint, QImage>> pictures;
    for (int i = 0; i < kSmallCount; ++i) {
        pictures.emplace_back(QPoint(94 + (i * 37) % 600 - 80, 94 + (i * 53) % 450 - 80),
                              Picture(kSmallSide, i));
    }
    QImage canvas(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        painter.fillRect(canvas.rect(), Qt::darkBlue);
        for (const auto& [at, picture] : pictures) {
            painter.drawImage(at, picture);
        }
        benchmark::DoNotOptimize(canvas.bits());
    }
}

void BM_AreaLargeZoomed(benchmark::State& state) {
    CPanelSetup setup(1, kLargeSide);
    setup.panel.PictureArea()->ZoomAbout(QPoint(94, 94), kLargeZoomSteps);
    PaintArea(state, setup);
}

void BM_PlainLargeZoomed(benchmark::State& state) {
    const QImage picture = Picture(kLargeSide, 1);
    QImage canvas(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        painter.fillRect(canvas.rect(), Qt::darkBlue);
        painter.setClipRect(canvas.rect());
        painter.translate(94, 94);
        painter.scale(kLargeZoom, kLargeZoom);
        painter.drawImage(0, 0, picture);
        benchmark::DoNotOptimize(canvas.bits());
    }
}

// CPU time of every thread: Qt's raster engine hands some fills and scaled
// drawings to threads of its own, which the calling thread's time misses.
BENCHMARK(BM_AreaManySmall)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PlainManySmall)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_AreaLargeZoomed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PlainLargeZoomed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace plexion
