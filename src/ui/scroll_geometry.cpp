#include "scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace plexion {
namespace {

bool IsReversed(const CScrollRange& range) {
    return range.end < range.start;
}

// Pixels from a real measure, halves away from zero; values no screen can
// show (and NaN) are kept inside int so the conversion is always defined.
int ToPixels(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = 1.0e9;
    return static_cast<int>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace

double RangeExtent(const CScrollRange& range) {
    return std::fabs(range.end - range.start);
}

double CentredPosition(const CScrollRange& range) {
    return (range.start + range.end - range.page) / 2.0;
}

double ClampPosition(double position, const CScrollRange& range) {
    if (RangeExtent(range) < range.page) {
        return CentredPosition(range);
    }
    const double low = std::min(range.start, range.end);
    const double high = std::max(range.start, range.end) - range.page;
    return std::clamp(position, low, high);
}

double PositionAfterButton(double position, double amount, const CScrollRange& range, bool free) {
    const double moved = position + (IsReversed(range) ? -amount : amount);
    return free ? moved : ClampPosition(moved, range);
}

double PositionAfterPress(double position, const CScrollRange& range) {
    return ClampPosition(position, range);
}

std::optional<double> PositionAfterDrag(double pressPosition, double moved, int trackLength,
                                        const CScrollRange& range) {
    const int length = trackLength - 2;
    if (!(RangeExtent(range) > range.page) || length <= 0) {
        return std::nullopt;
    }
    const double position = pressPosition + moved / length * (range.end - range.start);
    return ClampPosition(position, range);
}

CThumbSpan ThumbSpan(int innerStart, int innerLength, double position, const CScrollRange& range) {
    if (innerLength <= 0) {
        return {innerStart, 0};
    }
    const double extent = range.end - range.start;
    if (extent == 0.0 || !std::isfinite(extent)) {
        return {innerStart, innerLength};
    }
    // The thumb shows the visible part position … position + page; on a
    // reversed range that part's start-side edge is position + page, so the
    // thumb keeps the page's length and reaches both ends of the track.
    const double lead = IsReversed(range) ? position + range.page : position;
    int start = innerStart + ToPixels(innerLength / extent * (lead - range.start));
    int length = ToPixels(innerLength / std::fabs(extent) * range.page);
    if (length > innerLength) {
        return {innerStart, innerLength};
    }
    length = std::max(length, 1);
    start = std::clamp(start, innerStart, innerStart + innerLength - length);
    return {start, length};
}

}  // namespace plexion
