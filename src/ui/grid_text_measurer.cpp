#include "grid_text_measurer.h"

#include <cmath>
#include <limits>

namespace plexion {
namespace {

// Distinct shaped texts kept before the memory is given back.
constexpr qsizetype kMaxRemembered = 1 << 16;
constexpr double kUnitsPerPixel = 64.0;
constexpr std::int16_t kUnknownPair = std::numeric_limits<std::int16_t>::min();

std::int32_t InUnits(double pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * kUnitsPerPixel));
}

}  // namespace

CGridTextMeasurer::CGridTextMeasurer(const QFont& font)
    : font_(font), metrics_(font), metricsF_(font), height_(metrics_.height()) {
    for (int c = 0; c < kCount; ++c) {
        advances_[c] = InUnits(metricsF_.horizontalAdvance(QChar(kFirst + c)));
        pairs_[c].fill(kUnknownPair);
    }
}

std::optional<int> CGridTextMeasurer::SimpleWidth(QStringView text) {
    if (text.isEmpty()) {
        return 0;
    }
    int previous = text[0].unicode() - kFirst;
    if (previous < 0 || previous >= kCount) {
        return std::nullopt;
    }
    // One addition a character: the wait for each sum is what a long text
    // costs.
    std::int64_t width = advances_[previous];
    for (const QChar c : text.sliced(1)) {
        const int index = c.unicode() - kFirst;
        if (index < 0 || index >= kCount) {
            return std::nullopt;
        }
        std::int16_t advance = pairs_[previous][index];
        if (advance == kUnknownPair) {
            const std::optional<std::int16_t> learnt = LearnPair(previous, index);
            if (!learnt) {
                return std::nullopt;
            }
            advance = *learnt;
        }
        width += advance;
        previous = index;
    }
    // Rounded half away from zero, as std::lround rounds the real width.
    constexpr std::int64_t kUnits = static_cast<std::int64_t>(kUnitsPerPixel);
    const std::int64_t pixels =
        width >= 0 ? (width + kUnits / 2) / kUnits : -((kUnits / 2 - width) / kUnits);
    return static_cast<int>(pixels);
}

std::optional<std::int16_t> CGridTextMeasurer::LearnPair(int left, int right) {
    const QString pair = QString(QChar(kFirst + left)) + QChar(kFirst + right);
    const std::int32_t advance = InUnits(metricsF_.horizontalAdvance(pair)) - advances_[left];
    if (advance <= kUnknownPair || advance > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return pairs_[left][right] = static_cast<std::int16_t>(advance);
}

QSize CGridTextMeasurer::TextSize(QStringView view) {
    if (const std::optional<int> width = SimpleWidth(view)) {
        return QSize(*width, height_);
    }
    const QString text = view.toString();
    if (const auto found = sizes_.constFind(text); found != sizes_.cend()) {
        return *found;
    }
    QSize size;
    if (text.contains(u'\n')) {
        size = metrics_.boundingRect(QRect(), Qt::AlignCenter, text).size();
    } else {
        size = QSize(metrics_.horizontalAdvance(text), height_);
    }
    if (sizes_.size() >= kMaxRemembered) {
        sizes_.clear();
    }
    sizes_.insert(text, size);
    return size;
}

}  // namespace plexion
