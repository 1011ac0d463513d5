#include <gtest/gtest.h>

#include "alpha_views.h"

namespace plexion {
namespace {

// A premultiplied picture of four pixels: opaque red, half-transparent
// green, a transparent pixel that still holds blue, and transparent black.
QImage FourPixels() {
    QImage straight(4, 1, QImage::Format_ARGB32);
    straight.setPixel(0, 0, qRgba(255, 0, 0, 255));
    straight.setPixel(1, 0, qRgba(0, 200, 0, 128));
    straight.setPixel(2, 0, qRgba(0, 0, 255, 0));
    straight.setPixel(3, 0, qRgba(0, 0, 0, 0));
    return straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(AlphaViews, ShowTheColoursOpaqueOrTheAlphaAsGreyOverThePartAsked) {
    const QImage picture = FourPixels();
    struct Case {
        AlphaView view;
        QRgb second;
        QRgb third;
    };
    // The straight colour of a half-transparent pixel comes back within
    // premultiplication's rounding; a transparent pixel has lost its colour.
    const Case cases[] = {
        {AlphaView::Normal, qRgba(0, 100, 0, 128), 0},
        {AlphaView::WithoutAlpha, qRgb(0, 199, 0), qRgb(0, 0, 0)},
        {AlphaView::OnlyAlpha, qRgb(128, 128, 128), qRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.view));
        const QImage shown = AlphaViewImage(picture, c.view, QRect(1, 0, 10, 1));
        ASSERT_EQ(shown.size(), QSize(3, 1));
        if (c.view == AlphaView::Normal) {
            EXPECT_EQ(shown.format(), QImage::Format_ARGB32_Premultiplied);
        }
        const QRgb second = shown.pixel(0, 0);
        EXPECT_NEAR(qGreen(second), qGreen(c.second), 1);
        EXPECT_EQ(qAlpha(second), qAlpha(c.second));
        EXPECT_EQ(shown.pixel(1, 0), c.third);
    }
    EXPECT_EQ(AlphaViewImage(picture, AlphaView::OnlyAlpha, QRect(0, 0, 1, 1)).pixel(0, 0),
              qRgb(255, 255, 255));
    EXPECT_EQ(AlphaViewImage(picture, AlphaView::WithoutAlpha, QRect(0, 0, 1, 1)).pixel(0, 0),
              qRgb(255, 0, 0));
    EXPECT_TRUE(AlphaViewImage(picture, AlphaView::OnlyAlpha, QRect(5, 0, 2, 1)).isNull());
}

}  // namespace
}  // namespace plexion
