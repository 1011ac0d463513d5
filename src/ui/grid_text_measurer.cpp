#include "grid_text_measurer.h"

#include <cmath>
#include <limits>

namespace plexion {
namespace {

// Distinct shaped texts kept before the memory is given back.
constexpr qsizetype kMaxRemembered = 1 << 16;

}  // namespace

CGridTextMeasurer::CGridTextMeasurer(const QFont& font)
    : font_(font), metrics_(font), metricsF_(font), height_(metrics_.height()) {
    for (int c = 0; c < kCount; ++c) {
        advances_[c] = metricsF_.horizontalAdvance(QChar(kFirst + c));
        pairs_[c].fill(std::numeric_limits<double>::quiet_NaN());
    }
}

std::optional<double> CGridTextMeasurer::SimpleWidth(const QString& text) {
    double width = 0.0;
    int previous = -1;
    for (const QChar c : text) {
        const int index = c.unicode() - kFirst;
        if (index < 0 || index >= kCount) {
            return std::nullopt;
        }
        width += advances_[index];
        if (previous >= 0) {
            width += PairAdjustment(previous, index);
        }
        previous = index;
    }
    return width;
}

double CGridTextMeasurer::PairAdjustment(int left, int right) {
    double& adjustment = pairs_[left][right];
    if (std::isnan(adjustment)) {
        const QString pair = QString(QChar(kFirst + left)) + QChar(kFirst + right);
        adjustment = metricsF_.horizontalAdvance(pair) - advances_[left] - advances_[right];
    }
    return adjustment;
}

QSize CGridTextMeasurer::TextSize(const QString& text) {
    if (const std::optional<double> width = SimpleWidth(text)) {
        return QSize(static_cast<int>(std::lround(*width)), height_);
    }
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
