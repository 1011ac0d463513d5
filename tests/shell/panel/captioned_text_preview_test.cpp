#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "captioned_text_preview.h"
#include "color_conversion.h"

namespace plexion {
namespace {

// Draws into a Dialog Face image and gives the band as the drawing left it.
QRect Draw(const QRect& band, const QString& body, QImage* result = nullptr) {
    QImage image(band.right() + 20, band.bottom() + 20, QImage::Format_RGB32);
    image.fill(InterfaceQColor(InterfaceColor::DialogFace));
    QRect remaining = band;
    {
        QPainter painter(&image);
        DrawCaptionedTextPreview(painter, remaining, QStringLiteral("caption"), body);
    }
    if (result != nullptr) {
        *result = image;
    }
    return remaining;
}

int LineHeight() {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    return painter.fontMetrics().height();
}

TEST(CaptionedTextPreview, TallBandsLoseAMarginAllRoundAndTheCaptionLine) {
    const QRect remaining = Draw(QRect(0, 0, 300, 49), QStringLiteral("body"));
    EXPECT_EQ(remaining.left(), 8);
    EXPECT_EQ(remaining.right(), 299 - 8);
    EXPECT_EQ(remaining.bottom(), 48 - 8);
    EXPECT_EQ(remaining.top(), 8 + LineHeight() + 8);
}

TEST(CaptionedTextPreview, LowBandsKeepTheirTopAndBottom) {
    const QRect remaining = Draw(QRect(0, 10, 300, 48), QStringLiteral("body"));
    EXPECT_EQ(remaining.left(), 8);
    EXPECT_EQ(remaining.bottom(), 57);
    EXPECT_EQ(remaining.top(), 10 + LineHeight() + 8);
}

TEST(CaptionedTextPreview, TheBodyIsWrittenOnAnOpaqueBackground) {
    QImage image;
    const QRect remaining =
        Draw(QRect(0, 0, 300, 200), QStringLiteral("A && B\r\nnext line"), &image);
    const QColor face = InterfaceQColor(InterfaceColor::WindowFace);
    const QColor ink = InterfaceQColor(InterfaceColor::WindowText);
    int faceRows = 0;
    bool inked = false;
    for (int y = remaining.top(); y <= remaining.bottom(); ++y) {
        bool faceInRow = false;
        for (int x = remaining.left(); x <= remaining.right(); ++x) {
            faceInRow = faceInRow || image.pixelColor(x, y) == face;
            inked = inked || image.pixelColor(x, y) == ink;
        }
        faceRows += faceInRow ? 1 : 0;
    }
    EXPECT_TRUE(inked);
    // Two lines of text: the line break was kept.
    EXPECT_GE(faceRows, 2 * LineHeight() - 2);
    // Nothing is drawn outside the band's margins.
    EXPECT_EQ(image.pixelColor(3, remaining.top() + 2),
              InterfaceQColor(InterfaceColor::DialogFace));
}

}  // namespace
}  // namespace plexion
