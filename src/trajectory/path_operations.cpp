#include "path_operations.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "path_position.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// 1 / 32767 as the noise has always been scaled.
constexpr double kNoiseScale = 3.051850947599719e-05;
// The parameter step of resampling, finer for distances below one pixel.
constexpr double kCoarseStep = 0.01;
constexpr double kFineStep = 0.001;

template <typename T>
T ClampOrLowest(T value, T low, T high) {
    return std::isnan(static_cast<double>(value)) ? low : std::clamp(value, low, high);
}

}  // namespace

double ClampNoiseLevel(double level) {
    return ClampOrLowest(level, kNoiseLevelMin, kNoiseLevelMax);
}

double ClampGridSize(double gridSize) {
    return ClampOrLowest(gridSize, kGridSizeMin, kGridSizeMax);
}

std::int32_t ClampSmoothRange(std::int32_t range) {
    return std::clamp(range, kSmoothRangeMin, kSmoothRangeMax);
}

double ClampResampleDistance(double distance) {
    return ClampOrLowest(distance, kResampleDistanceMin, kResampleDistanceMax);
}

bool CVKT_Trajectory::AddNoise(double level) {
    return AddNoise(level, static_cast<std::uint32_t>(std::time(nullptr)));
}

bool CVKT_Trajectory::AddNoise(double level, std::uint32_t seed) {
    const double clamped = ClampNoiseLevel(level);
    CNoiseGenerator random(seed);
    for (CPathPoint& p : points_) {
        p.x += clamped * random.Next() * kNoiseScale;
        p.y += clamped * random.Next() * kNoiseScale;
    }
    return true;
}

bool CVKT_Trajectory::Quantify(double gridSize) {
    const double grid = ClampGridSize(gridSize);
    // std::trunc rather than a cast to a 64-bit integer: the same for every
    // quotient that fits, and defined for the ones that do not.
    for (CPathPoint& p : points_) {
        p.x = grid * std::trunc(p.x / grid);
        p.y = grid * std::trunc(p.y / grid);
    }
    return true;
}

bool CVKT_Trajectory::Smooth(std::int32_t range) {
    const int half = ClampSmoothRange(range) / 2;
    const int count = Count();
    // In place on purpose: each window sees the points already smoothed
    // before it. Summed afresh per window so that a large coordinate once
    // passed leaves no rounding behind in the small ones after it.
    for (int i = 0; i < count; ++i) {
        const int begin = std::max(i - half, 0);
        const int end = std::min(i + half, count);
        CPathPoint sum;
        for (int j = begin; j < end; ++j) {
            sum.x += points_[j].x;
            sum.y += points_[j].y;
        }
        const double size = end - begin;
        points_[i] = {sum.x / size, sum.y / size};
    }
    return true;
}

bool CVKT_Trajectory::Resample(double distance) {
    const double wanted = ClampResampleDistance(distance);
    const double step = wanted >= 1.0 ? kCoarseStep : kFineStep;
    const int count = Count();
    if (count == 0) {
        return true;
    }
    const CPathPoint* points = points_.Data();
    std::vector<CPathPoint> result;
    double t = 0.0;
    do {
        if (result.size() >= static_cast<std::size_t>(kMaxResampledPoints)) {
            return false;
        }
        const CPathPoint from = PathPositionAt(points, count, t);
        result.push_back(from);
        // The new point lies one step past the first step whose chord from
        // the previous new point reaches the distance.
        // t and u never fall below 0, so "u < count" is "trunc(u) < count".
        double u = t;
        while (u < count) {
            const CPathPoint at = PathPositionAt(points, count, u);
            const double dx = at.x - from.x;
            const double dy = at.y - from.y;
            const double chord = std::sqrt(std::fabs(dx * dx) + std::fabs(dy * dy));
            u += step;
            if (chord >= wanted) {
                break;
            }
        }
        t = u;
    } while (t < count);
    points_.SetSize(static_cast<int>(result.size()));
    std::copy(result.begin(), result.end(), points_.begin());
    return true;
}

}  // namespace plexion
