// Smoothing and resampling a path of 1,000,000 points, each against a plain
// loop doing the same arithmetic on a bare array in the same run: a moving
// average over the same windows, and the same number of interpolations and
// chord lengths along the path.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "trajectory_item.h"

namespace {

constexpr int kPoints = 1000000;
constexpr int kSmoothRange = 10;
constexpr double kResampleDistance = 3.0;
constexpr double kResampleStep = 0.01;

struct CPoint {
    double x;
    double y;
};

// A wavy line with points about one pixel apart.
const std::vector<CPoint>& Wave() {
    static const std::vector<CPoint> wave = [] {
        std::vector<CPoint> points(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            points[i] = {static_cast<double>(i), 50.0 * std::sin(i * 0.01)};
        }
        return points;
    }();
    return wave;
}

void Fill(plexion::CVKT_Trajectory& path) {
    path.RemoveAllPoints();
    for (const CPoint& p : Wave()) {
        path.AddPoint(p.x, p.y);
    }
}

void BM_PlainMovingAverage(benchmark::State& state) {
    const int half = kSmoothRange / 2;
    std::vector<CPoint> points;
    for (auto _ : state) {
        state.PauseTiming();
        points = Wave();
        state.ResumeTiming();
        for (int i = 0; i < kPoints; ++i) {
            const int begin = std::max(i - half, 0);
            const int end = std::min(i + half, kPoints);
            CPoint sum{0, 0};
            for (int j = begin; j < end; ++j) {
                sum.x += points[j].x;
                sum.y += points[j].y;
            }
            points[i] = {sum.x / (end - begin), sum.y / (end - begin)};
        }
        benchmark::DoNotOptimize(points.data());
    }
}

void BM_Smooth(benchmark::State& state) {
    plexion::CVKT_Trajectory path;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(path);
        state.ResumeTiming();
        path.Smooth(kSmoothRange);
        benchmark::DoNotOptimize(path.GetPoint(kPoints / 2));
    }
}

void BM_PlainInterpolation(benchmark::State& state) {
    const std::vector<CPoint>& points = Wave();
    for (auto _ : state) {
        double total = 0.0;
        const CPoint from = points[0];
        for (double u = 0.0; u < kPoints - 1; u += kResampleStep) {
            const int k = static_cast<int>(u);
            const double f = u - k;
            const double x = points[k].x * (1 - f) + f * points[k + 1].x;
            const double y = points[k].y * (1 - f) + f * points[k + 1].y;
            total += std::sqrt((x - from.x) * (x - from.x) + (y - from.y) * (y - from.y));
        }
        benchmark::DoNotOptimize(total);
    }
}

void BM_Resample(benchmark::State& state) {
    plexion::CVKT_Trajectory path;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(path);
        state.ResumeTiming();
        path.Resample(kResampleDistance);
        benchmark::DoNotOptimize(path.Count());
    }
    state.counters["points"] = path.Count();
}

BENCHMARK(BM_PlainMovingAverage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Smooth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainInterpolation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resample)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
