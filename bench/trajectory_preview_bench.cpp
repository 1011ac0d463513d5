// One game step and repaint of the trajectory preview for a path of 100,000
// points of each type, against a plain QPainter polyline through the same
// points on a picture of the same size, measured in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <memory>

#include "all_kinds.h"
#include "resource_container.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"

namespace {

constexpr int kPoints = 100000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kTurn = 6.283185307179586;

// A closed Lissajous figure over most of the view, the points a fraction of
// a pixel apart as a long drawn path would have them.
plexion::CPathPoint PointAt(int i) {
    const double t = kTurn * i / kPoints;
    return {400.0 + 380.0 * std::sin(3.0 * t), 300.0 + 280.0 * std::sin(2.0 * t)};
}

struct CPreviewFixture {
    CPreviewFixture() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
        plexion::RegisterAllResourceKinds();
        document = std::make_unique<plexion::CVKT_ResourceContainer>();
        for (int type = 0; type < plexion::CVKT_Trajectory::kTypeCount; ++type) {
            auto* path = document->GetAt<plexion::CVKT_Trajectory>(
                document->New<plexion::CVKT_Trajectory>("path"));
            path->SetType(type);
            for (int i = 0; i < kPoints; ++i) {
                const plexion::CPathPoint p = PointAt(i);
                path->AddPoint(p.x, p.y);
            }
            path->UpdateCenterOfMass();
        }
        preview = std::make_unique<plexion::CTrajectoryPreview>();
        preview->resize(kWidth, kHeight);
        preview->SetResourceContainer(document.get());
        preview->MoveViewToOrigin();
    }

    int argc = 1;
    char name[32] = "trajectory_preview_bench";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
    // Made once the kinds are registered.
    std::unique_ptr<plexion::CVKT_ResourceContainer> document;
    std::unique_ptr<plexion::CTrajectoryPreview> preview;
};

CPreviewFixture& Fixture() {
    static CPreviewFixture fixture;
    return fixture;
}

void BM_PlainPolyline(benchmark::State& state) {
    Fixture();
    QPolygon polygon(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const plexion::CPathPoint p = PointAt(i);
        polygon[i] = QPoint(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
    }
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::white);
        QPainter painter(&target);
        painter.setPen(Qt::black);
        painter.drawPolyline(polygon);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_PreviewStepAndRepaint(benchmark::State& state) {
    CPreviewFixture& fixture = Fixture();
    fixture.preview->SetTrajectoryIndex(static_cast<int>(state.range(0)));
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        fixture.preview->Step();
        fixture.preview->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

BENCHMARK(BM_PlainPolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewStepAndRepaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
