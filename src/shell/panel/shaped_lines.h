#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPointF>
#include <QRawFont>
#include <QStaticText>
#include <QString>

#include <array>

class QPainter;

namespace plexion {

// A line ready for drawing: laid out from kept glyphs, or shaped whole.
class CShapedLine {
public:
    // How far the line reaches.
    qreal Width() const { return width_; }
    // Draws the line in the painter's pen with its top left at `at`.
    void Draw(QPainter& painter, QPointF at) const;

private:
    friend class CShapedLines;

    bool fromGlyphs_ = false;
    QStaticText whole_;
    QGlyphRun glyphs_;  // placed from the start of the baseline
    qreal ascent_ = 0;
    qreal width_ = 0;
};

// Lines of text kept ready for drawing, so a text redrawn on every repaint
// with numbers changed (a frame count, the steps left) costs next to
// nothing. A line of numbers (digits, signs, separators and spaces) is laid
// out from glyphs kept one a character, as the font neither kerns nor joins
// those, so a new number needs no shaping; any other line is shaped whole
// and kept, a few dozen at most.
class CShapedLines {
public:
    // `line` ready for drawing in the painter's font.
    CShapedLine Line(QPainter& painter, const QString& line);

private:
    struct CGlyph {
        bool known = false;
        quint32 index = 0;  // 0: the font does not hold the character
        qreal advance = 0;
    };
    static constexpr char16_t kNumberEnd = 0x80;

    void Adopt(const QFont& font);
    // The kept glyph of a character of numbers; null for any other.
    const CGlyph* Glyph(QChar character);
    // Whether every character of `line` has a kept glyph.
    bool Numbers(const QString& line);
    const QStaticText& Whole(const QString& line);

    QFont font_;
    bool adopted_ = false;
    QRawFont raw_;
    qreal ascent_ = 0;
    std::array<CGlyph, kNumberEnd> glyphs_{};
    QHash<QString, QStaticText> lines_;
};

}  // namespace plexion
