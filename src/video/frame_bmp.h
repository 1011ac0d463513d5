#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace plexion {

// A frame as uncompressed bottom-up BMP files: `colour` gets its colours in
// 24 bits and `alpha`, when given, its alpha channel in 8 bits (one byte a
// pixel over a grey palette). Both come from one pass over the frame and
// reuse the vectors' storage, so that one pair of buffers serves a movie.
void FrameBmps(const QImage& frame, std::vector<std::uint8_t>& colour,
               std::vector<std::uint8_t>* alpha);

}  // namespace plexion
