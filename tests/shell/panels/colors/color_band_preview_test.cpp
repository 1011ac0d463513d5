#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "color_band_preview.h"
#include "color_conversion.h"

namespace plexion {
namespace {

constexpr ColorRef kWhite = MakeColor(255, 255, 255);
constexpr ColorRef kBlack = MakeColor(0, 0, 0);

QImage DrawBand(const QRect& band, ColorRef color, const QString& id) {
    QImage image(band.right() + 1, band.bottom() + 1, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    DrawColorBand(painter, band, color, id);
    return image;
}

ColorRef At(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

TEST(ColorBandPreview, ABand40PixelsHighShowsOnlyTheColor) {
    const ColorRef color = MakeColor(30, 60, 90);
    const QRect band(0, 0, 200, 40);
    const QImage image = DrawBand(band, color, QString());
    for (int y = 0; y < band.height(); ++y) {
        for (int x = 0; x < band.width(); ++x) {
            ASSERT_EQ(At(image, x, y), color) << x << "," << y;
        }
    }
}

TEST(ColorBandPreview, ANarrowBandShowsOnlyTheColor) {
    const ColorRef color = MakeColor(30, 60, 90);
    const QImage image = DrawBand(QRect(0, 0, 32, 200), color, QString());
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(At(image, x, y), color) << x << "," << y;
        }
    }
}

TEST(ColorBandPreview, ATallBandHoldsAFramedSampleOfItsShades) {
    const ColorRef color = MakeColor(200, 100, 40);
    const QRect band(10, 5, 200, 100);
    const QImage image = DrawBand(band, color, QString());
    // The frame runs from the band's middle to 8 pixels from its right edge
    // and from 20 pixels below its top to 8 pixels above its bottom.
    const int left = 10 + 100;
    const int right = 10 + 200 - 8 - 1;
    const int top = 5 + 20;
    const int bottom = 5 + 100 - 8 - 1;
    EXPECT_EQ(At(image, left - 1, top + 5), color);
    EXPECT_EQ(At(image, left, top + 5), kBlack);
    EXPECT_EQ(At(image, right, top + 5), kBlack);
    EXPECT_EQ(At(image, right + 1, top + 5), color);
    EXPECT_EQ(At(image, left + 5, top - 1), color);
    EXPECT_EQ(At(image, left + 5, top), kBlack);
    EXPECT_EQ(At(image, left + 5, bottom), kBlack);
    EXPECT_EQ(At(image, left + 5, bottom + 1), color);

    // Inside: white to the colour and the colour to black above, the grey
    // to the colour below a black line.
    const QRect inside(QPoint(left + 1, top + 1), QPoint(right - 1, bottom - 1));
    const int middleY = inside.top() + inside.height() / 2;
    const int middleX = inside.left() + inside.width() / 2;
    const int upperLeftWidth = middleX - inside.left();
    const int upperRightWidth = inside.right() + 1 - middleX;
    EXPECT_EQ(At(image, inside.left(), inside.top()), kWhite);
    EXPECT_EQ(At(image, inside.left() + 10, inside.top() + 3),
              GradientColumnColor(kWhite, color, 10, upperLeftWidth));
    EXPECT_EQ(At(image, middleX, inside.top()), color);
    EXPECT_EQ(At(image, inside.right(), middleY - 1),
              GradientColumnColor(color, kBlack, upperRightWidth - 1, upperRightWidth));
    EXPECT_EQ(At(image, inside.left() + 7, middleY), kBlack);
    EXPECT_EQ(At(image, inside.right(), middleY), kBlack);
    EXPECT_EQ(At(image, inside.left(), middleY + 1), GrayColor(color));
    EXPECT_EQ(At(image, inside.left() + 20, inside.bottom()),
              GradientColumnColor(GrayColor(color), color, 20, inside.width()));
}

TEST(ColorBandPreview, GradientColumnsMixTheirEndsAndRound) {
    const ColorRef start = MakeColor(0, 100, 255);
    const ColorRef end = MakeColor(255, 0, 0);
    EXPECT_EQ(GradientColumnColor(start, end, 0, 4), start);
    // t = 1/4: 63.75, 75, 191.25
    EXPECT_EQ(GradientColumnColor(start, end, 1, 4), MakeColor(64, 75, 191));
    // t = 1/2: 127.5 rounds up, 50, 127.5 rounds up
    EXPECT_EQ(GradientColumnColor(start, end, 2, 4), MakeColor(128, 50, 128));
    EXPECT_EQ(GradientColumnColor(start, end, 4, 4), end);
    EXPECT_EQ(GradientColumnColor(start, end, 9, 4), end);
    EXPECT_EQ(GradientColumnColor(start, end, -3, 4), start);
    EXPECT_EQ(GradientColumnColor(start, end, 0, 0), start);
}

TEST(ColorBandPreview, TheIdIsWrittenInBlackOnBrightColorsAndWhiteOnDarkOnes) {
    EXPECT_EQ(ColorBandTextColor(MakeColor(200, 200, 200)), QColor(Qt::black));
    EXPECT_EQ(ColorBandTextColor(MakeColor(128, 128, 128)), QColor(Qt::white));
    EXPECT_EQ(ColorBandTextColor(MakeColor(129, 129, 128)), QColor(Qt::white));
    EXPECT_EQ(ColorBandTextColor(MakeColor(129, 129, 129)), QColor(Qt::black));
    EXPECT_EQ(ColorBandTextColor(MakeColor(255, 0, 0)), QColor(Qt::white));

    // The text itself, on a band too small for samples.
    for (const auto& [color, ink] : {std::pair{MakeColor(200, 200, 200), kBlack},
                                     std::pair{MakeColor(128, 128, 128), kWhite}}) {
        const QImage image = DrawBand(QRect(0, 0, 200, 40), color, QStringLiteral("WWWW"));
        bool inked = false;
        for (int y = 0; y < 40 && !inked; ++y) {
            for (int x = 0; x < 200 && !inked; ++x) {
                inked = At(image, x, y) == ink;
            }
        }
        EXPECT_TRUE(inked);
    }
}

}  // namespace
}  // namespace plexion
