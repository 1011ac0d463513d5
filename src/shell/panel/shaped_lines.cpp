#include "shaped_lines.h"

#include <QTransform>

namespace plexion {
namespace {

constexpr qsizetype kKeptLines = 64;

}  // namespace

QStaticText CShapedLines::Line(const QString& line, const QFont& font) {
    if (font != font_) {
        font_ = font;
        lines_.clear();
    }
    const auto found = lines_.constFind(line);
    if (found != lines_.cend()) {
        return found.value();
    }
    if (lines_.size() >= kKeptLines) {
        lines_.clear();
    }
    QStaticText shaped(line);
    shaped.setTextFormat(Qt::PlainText);
    shaped.prepare(QTransform(), font);
    return lines_.insert(line, shaped).value();
}

}  // namespace plexion
