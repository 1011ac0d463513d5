// One game step of the Animations panel's frame-list editor and the repaint
// it causes (the preview; the lists do not change on a step), on an
// animation of 1,000 frames of 256 x 256 pictures, against a plain QPainter
// drawing the same frame into a canvas of the same size, in the same run.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <string>
#include <vector>

#include "animations_panel.h"
#include "bitmap_item.h"
#include "index_list_item.h"
#include "plexion_doc.h"
#include "resource_container.h"

namespace plexion {
namespace {

constexpr int kAreaWidth = 800;
constexpr int kAreaHeight = 600;
constexpr int kFrameCount = 1000;
// The frames cycle through this many pictures, so the document stays small
// enough for a shared machine.
constexpr int kPictureCount = 50;
constexpr int kSide = 256;

QImage Picture(int seed) {
    QImage picture(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor::fromHsv(seed * 7 % 360, 200, 220, 200));
    return picture;
}

QPoint FrameOffset(int frame) {
    return {frame % 13, frame % 7};
}

struct CEditorSetup {
    CEditorSetup() {
        document.Edit(QStringLiteral("Fill"), [](CVKT_ResourceContainer& resources) {
            for (int i = 0; i < kPictureCount; ++i) {
                resources.GetAt<CVKT_Bitmap>(resources.New<CVKT_Bitmap>(std::to_string(i)))
                    ->TakeImage(Picture(i));
            }
            auto* animation = resources.GetAt<CVKT_IndexList>(resources.New<CVKT_IndexList>("run"));
            for (int frame = 0; frame < kFrameCount; ++frame) {
                const QPoint offset = FrameOffset(frame);
                animation->AddFrame({frame % kPictureCount, 1, offset.x(), offset.y()});
            }
            return true;
        });
        panel.SetDocument(&document, nullptr);
        panel.SetResourceContainer(&document.Resources());
        panel.CreatePanel(&window, QRect(0, 0, 2 * kAreaWidth, kAreaHeight));
        window.show();
        panel.SetCursorItem(0);
    }
    QWidget window;
    CPlexionDoc document;
    CAnimationsPanel panel;
};

void BM_EditorStepAndRepaint(benchmark::State& state) {
    CEditorSetup setup;
    QImage canvas(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        setup.panel.StepTime();
        QPainter painter(&canvas);
        setup.panel.DrawPreview(painter, canvas.rect());
        benchmark::DoNotOptimize(canvas.bits());
    }
}

void BM_PlainFrameDraw(benchmark::State& state) {
    std::vector<QImage> pictures;
    for (int i = 0; i < kPictureCount; ++i) {
        pictures.push_back(Picture(i));
    }
    QImage canvas(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
    int frame = 0;
    for (auto _ : state) {
        frame = (frame + 1) % kFrameCount;
        QPainter painter(&canvas);
        painter.fillRect(canvas.rect(), Qt::darkBlue);
        painter.drawImage(QPoint(94, 94) + FrameOffset(frame),
                          pictures[static_cast<std::size_t>(frame % kPictureCount)]);
        benchmark::DoNotOptimize(canvas.bits());
    }
}

// CPU time of every thread: Qt's raster engine hands some fills and scaled
// drawings to threads of its own, which the calling thread's time misses.
BENCHMARK(BM_EditorStepAndRepaint)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PlainFrameDraw)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace plexion
