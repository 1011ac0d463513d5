#include "color_band_preview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kSampleMinHeight = 49;
constexpr int kSampleMinWidth = 33;
constexpr int kSampleTop = 20;
constexpr int kSampleMargin = 8;
constexpr int kIdMargin = 8;
constexpr int kBrightAverage = 128;

int MixChannel(int start, int end, double t) {
    return static_cast<int>(std::floor((1.0 - t) * start + t * end + 0.5));
}

// Each pixel column of `area` gets its own colour of the gradient.
void FillGradient(QPainter& painter, const QRect& area, ColorRef start, ColorRef end) {
    for (int column = 0; column < area.width(); ++column) {
        painter.fillRect(QRect(area.left() + column, area.top(), 1, area.height()),
                         ToQColor(GradientColumnColor(start, end, column, area.width())));
    }
}

// The frame and its samples, right of the band's middle and below the ID.
void DrawSamples(QPainter& painter, const QRect& band, ColorRef color) {
    const QRect frame(QPoint(band.left() + band.width() / 2, band.top() + kSampleTop),
                      QPoint(band.right() - kSampleMargin, band.bottom() - kSampleMargin));
    if (frame.isEmpty()) {
        return;
    }
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.restore();

    const QRect inside = frame.adjusted(1, 1, -1, -1);
    const int middleY = inside.top() + inside.height() / 2;
    const int middleX = inside.left() + inside.width() / 2;
    const QRect upperLeft(QPoint(inside.left(), inside.top()), QPoint(middleX - 1, middleY - 1));
    const QRect upperRight(QPoint(middleX, inside.top()), QPoint(inside.right(), middleY - 1));
    const QRect lower(QPoint(inside.left(), middleY), inside.bottomRight());
    FillGradient(painter, upperLeft, MakeColor(255, 255, 255), color);
    FillGradient(painter, upperRight, color, MakeColor(0, 0, 0));
    FillGradient(painter, lower, GrayColor(color), color);
    painter.fillRect(QRect(lower.left(), lower.top(), lower.width(), 1), Qt::black);
}

}  // namespace

ColorRef GradientColumnColor(ColorRef start, ColorRef end, int column, int width) {
    const double t = width > 0 ? std::clamp(static_cast<double>(column) / width, 0.0, 1.0) : 0.0;
    return MakeColor(MixChannel(RedOf(start), RedOf(end), t),
                     MixChannel(GreenOf(start), GreenOf(end), t),
                     MixChannel(BlueOf(start), BlueOf(end), t));
}

QColor ColorBandTextColor(ColorRef color) {
    const int average = (RedOf(color) + GreenOf(color) + BlueOf(color)) / 3;
    return average <= kBrightAverage ? QColor(Qt::white) : QColor(Qt::black);
}

void DrawColorBand(QPainter& painter, const QRect& band, ColorRef color, const QString& id) {
    if (band.isEmpty()) {
        return;
    }
    painter.fillRect(band, ToQColor(color));
    if (band.height() >= kSampleMinHeight && band.width() >= kSampleMinWidth) {
        DrawSamples(painter, band, color);
    }
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(ColorBandTextColor(color));
    painter.drawText(band.adjusted(kIdMargin, 0, -kIdMargin, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, id);
    painter.restore();
}

}  // namespace plexion
