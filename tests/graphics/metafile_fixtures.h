#pragma once

#include <QRgb>
#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace plexion::test {

// A placeable WMF one inch wide and half an inch high (1440 × 720 twips),
// holding a rectangle without outline filled with `fill` that covers twips
// 360..1080 × 180..540, i.e. pixels 24..72 × 12..36 at 96 dots per inch.
// With `withText`, a line of text is drawn after the rectangle.
Bytes MakePlaceableWmf(QRgb fill, bool withText = false);

// The same drawing without the placeable header; its size is what it draws.
Bytes MakeStandardWmf(QRgb fill);

// An EMF whose frame is 100 × 50 pixels at 96 dots per inch, holding a
// rectangle filled with `fill` over device pixels 25..75 × 10..40.
Bytes MakeEmf(QRgb fill, bool withText = false);

}  // namespace plexion::test
