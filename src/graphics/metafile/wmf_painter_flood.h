#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <cstdint>
#include <optional>

namespace plexion {

enum class EFloodKind {
    UpToBorder,  // spreads over every pixel that is not the colour
    SameColour,  // spreads over the pixels of the colour
};

// The pixels a flood fill from `start` reaches through its four neighbours.
// Empty when `start` lies outside the image or is not a pixel it spreads to.
// Every pixel reached is taken from `budget`; nothing when the budget runs
// out before the fill is complete.
std::optional<QRegion> FloodRegion(const QImage& image, QPoint start, QRgb colour,
                                   EFloodKind kind, std::int64_t& budget);

}  // namespace plexion
