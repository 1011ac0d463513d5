#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace plexion::tool {

// Drawings larger than this are refused rather than asked of the allocator,
// the same bound pictures have.
inline constexpr std::int64_t kMaxRenderPixels = std::int64_t{1} << 28;

// A fully transparent drawing surface of the given size; a usage error
// naming `what` when the size is empty or beyond kMaxRenderPixels.
QImage TransparentCanvas(std::int64_t width, std::int64_t height, const std::string& what);

// `image` encoded as a PNG file; exit 2 when it cannot be encoded.
std::vector<std::uint8_t> EncodePng(const QImage& image, const std::string& what);

// Writes `image` as a PNG file, never leaving a partial one; exit 2 when it
// cannot be written.
void SavePng(const QImage& image, const std::string& path);

}  // namespace plexion::tool
