#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include "shaped_lines.h"

namespace plexion {
namespace {

QImage Blank() {
    QImage image(260, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Kept lines look as the painter's own text does: numbers that change every
// repaint, drawn from kept glyphs, and any other text, shaped whole (words
// that kern or join, combining marks, other scripts, tabs).
TEST(ShapedLines, DrawAsThePainterDrawsText) {
    CShapedLines kept;
    for (const QString& line :
         {QStringLiteral("537/1000"), QStringLiteral("-12, +3.5 %"), QStringLiteral("0.00"),
          QStringLiteral("59.87 Fps"), QStringLiteral("walk_cycle: 64 x 64, Offset -3, 12"),
          QStringLiteral("e\u0301t\u00e9"), QStringLiteral("\u0645\u0634\u064a 12"),
          QStringLiteral("a\tb")}) {
        QImage drawn = Blank();
        QImage expected = Blank();
        {
            QPainter painter(&drawn);
            kept.Line(painter, line).Draw(painter, QPointF(5, 10));
            kept.Line(painter, line).Draw(painter, QPointF(5, 10));
        }
        {
            QPainter painter(&expected);
            QStaticText text(line);
            text.setTextFormat(Qt::PlainText);
            painter.drawStaticText(QPointF(5, 10), text);
            painter.drawStaticText(QPointF(5, 10), text);
        }
        EXPECT_EQ(drawn, expected) << line.toStdString();
        QPainter painter(&drawn);
        EXPECT_NEAR(kept.Line(painter, line).Width(),
                    QFontMetricsF(painter.font()).horizontalAdvance(line), 1.0)
            << line.toStdString();
    }
}

}  // namespace
}  // namespace plexion
