#pragma once

#include <cstdint>
#include <span>

namespace plexion {

enum class EImageFormat { Unknown, Bmp, Jpeg, Png, Tiff, Gif, Ico, Wmf, Emf };

// Tells the file format from its first bytes, never from a file name, so that
// each decoder only ever sees bytes that at least start like its own format.
EImageFormat SniffImageFormat(std::span<const std::uint8_t> bytes);

}  // namespace plexion
