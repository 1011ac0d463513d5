#include "grid_text_measurer.h"

namespace plexion {
namespace {

// Distinct texts kept before the memory is given back; a sheet of unique
// names would otherwise keep one entry per cell ever measured.
constexpr qsizetype kMaxRemembered = 1 << 16;

}  // namespace

CGridTextMeasurer::CGridTextMeasurer(const QFont& font) : font_(font), metrics_(font) {}

QSize CGridTextMeasurer::TextSize(const QString& text) {
    if (const auto found = sizes_.constFind(text); found != sizes_.cend()) {
        return *found;
    }
    QSize size;
    if (text.contains(u'\n')) {
        size = metrics_.boundingRect(QRect(), Qt::AlignCenter, text).size();
    } else {
        size = QSize(metrics_.horizontalAdvance(text), metrics_.height());
    }
    if (sizes_.size() >= kMaxRemembered) {
        sizes_.clear();
    }
    sizes_.insert(text, size);
    return size;
}

}  // namespace plexion
