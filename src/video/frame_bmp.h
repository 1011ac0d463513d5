#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace plexion {

// A frame as an uncompressed bottom-up BMP file: its colours in 24 bits.
std::vector<std::uint8_t> ColourBmp(const QImage& frame);
// Its alpha channel in 8 bits, one byte a pixel, over a grey palette.
std::vector<std::uint8_t> AlphaBmp(const QImage& frame);

}  // namespace plexion
