#include "shaped_lines.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QTransform>

#include <string_view>

namespace plexion {
namespace {

constexpr qsizetype kKeptLines = 64;

bool OfNumbers(char16_t code) {
    return (code >= u'0' && code <= u'9') ||
           std::u16string_view(u" .,/:-+%").find(code) != std::u16string_view::npos;
}

}  // namespace

void CShapedLines::Adopt(const QFont& font) {
    if (adopted_ && font == font_) {
        return;
    }
    font_ = font;
    adopted_ = true;
    raw_ = QRawFont::fromFont(font);
    ascent_ = QFontMetricsF(font).ascent();
    glyphs_.fill({});
    lines_.clear();
}

const CShapedLines::CGlyph* CShapedLines::Glyph(QChar character) {
    const char16_t code = character.unicode();
    if (code >= kNumberEnd || !OfNumbers(code) || !raw_.isValid()) {
        return nullptr;
    }
    CGlyph& glyph = glyphs_[code];
    if (!glyph.known) {
        glyph.known = true;
        const QList<quint32> indexes = raw_.glyphIndexesForString(QString(character));
        if (indexes.size() == 1 && indexes.front() != 0) {
            glyph.index = indexes.front();
            glyph.advance = raw_.advancesForGlyphIndexes(indexes).front().x();
        }
    }
    return glyph.index != 0 ? &glyph : nullptr;
}

bool CShapedLines::Numbers(const QString& line) {
    for (const QChar character : line) {
        if (Glyph(character) == nullptr) {
            return false;
        }
    }
    return true;
}

const QStaticText& CShapedLines::Whole(const QString& line) {
    const auto found = lines_.constFind(line);
    if (found != lines_.cend()) {
        return found.value();
    }
    if (lines_.size() >= kKeptLines) {
        lines_.clear();
    }
    QStaticText shaped(line);
    shaped.setTextFormat(Qt::PlainText);
    shaped.prepare(QTransform(), font_);
    return lines_.insert(line, shaped).value();
}

void CShapedLine::Draw(QPainter& painter, QPointF at) const {
    if (fromGlyphs_) {
        painter.drawGlyphRun(QPointF(at.x(), at.y() + ascent_), glyphs_);
    } else {
        painter.drawStaticText(at, whole_);
    }
}

CShapedLine CShapedLines::Line(QPainter& painter, const QString& line) {
    Adopt(painter.font());
    CShapedLine shaped;
    if (!Numbers(line)) {
        shaped.whole_ = Whole(line);
        shaped.width_ = shaped.whole_.size().width();
        return shaped;
    }
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(line.size());
    positions.reserve(line.size());
    for (const QChar character : line) {
        const CGlyph& glyph = glyphs_[character.unicode()];
        indexes.push_back(glyph.index);
        positions.push_back(QPointF(shaped.width_, 0));
        shaped.width_ += glyph.advance;
    }
    shaped.fromGlyphs_ = true;
    shaped.ascent_ = ascent_;
    shaped.glyphs_.setRawFont(raw_);
    shaped.glyphs_.setGlyphIndexes(indexes);
    shaped.glyphs_.setPositions(positions);
    return shaped;
}

}  // namespace plexion
