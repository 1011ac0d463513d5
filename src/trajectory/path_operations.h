#pragma once

#include <cstdint>

namespace plexion {

// The ranges of the path operations' values. The operations clamp into them
// themselves; the panel clamps what the user typed the same way and offers
// the clamped value the next time.
inline constexpr double kNoiseLevelMin = 0.0001;
inline constexpr double kNoiseLevelMax = 10000.0;
inline constexpr double kGridSizeMin = 0.001;
inline constexpr double kGridSizeMax = 10000.0;
inline constexpr std::int32_t kSmoothRangeMin = 2;
inline constexpr std::int32_t kSmoothRangeMax = 10000;
inline constexpr double kResampleDistanceMin = 0.01;
inline constexpr double kResampleDistanceMax = 10000.0;

// A resample never makes more points than this (256 MiB of points), so a
// tiny distance on a long path cannot exhaust memory or outgrow the count
// the file stores.
inline constexpr std::int32_t kMaxResampledPoints = 1 << 24;

// A value that is not a number clamps to the bottom of its range.
double ClampNoiseLevel(double level);
double ClampGridSize(double gridSize);
std::int32_t ClampSmoothRange(std::int32_t range);
double ClampResampleDistance(double distance);

// The C library generator the noise has always used (outputs 0 to 32767,
// the same sequence for the same seed on every platform), so that a noisy
// path looks the same wherever it is made.
class CNoiseGenerator {
public:
    static constexpr int kMax = 32767;
    explicit CNoiseGenerator(std::uint32_t seed) : state_(seed) {}
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_;
};

}  // namespace plexion
