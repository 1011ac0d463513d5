#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "interface_colors.h"

class QPainter;

namespace plexion {

// The Colors panel's band of one item: the band filled with the colour; in
// bands more than 48 pixels high and 32 wide a black frame on the right
// holds three samples (white to the colour and the colour to black side by
// side above, the colour's grey to the colour below); the ID is written at
// the top in black or white, whichever stands out.
void DrawColorBand(QPainter& painter, const QRect& band, ColorRef color, const QString& id);

// The colour of column `column` of a gradient `width` pixels wide from
// `start` at the left to `end` at the right, each channel rounded.
ColorRef GradientColumnColor(ColorRef start, ColorRef end, int column, int width);

// Black on colours whose red, green and blue average above 128, white
// otherwise.
QColor ColorBandTextColor(ColorRef color);

}  // namespace plexion
