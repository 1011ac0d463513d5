#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace plexion::test {

// A picture of the given size with a distinct colour at every pixel and, when
// `withAlpha`, a transparent left column and a half-transparent top row.
QImage MakePatternImage(int width, int height, bool withAlpha);

// The image written by Qt's writer for `format` ("png", "bmp", "jpeg", ...).
Bytes WriteWithQt(const QImage& image, const char* format);

// A JPEG with an APP1 Exif segment holding the given orientation tag.
Bytes WithExifOrientation(const Bytes& jpeg, std::uint16_t orientation);

// A GIF of several same-sized frames, each filled with one colour; a frame
// colour of 0 is transparent.
Bytes MakeGif(int width, int height, const std::vector<QRgb>& frameColours);

// An icon file holding one PNG picture per given image, in that order.
Bytes MakeIco(const std::vector<QImage>& images);

// A PNG signature and header chunk claiming the given size, with no pixels.
Bytes PngHeaderClaiming(std::uint32_t width, std::uint32_t height);

}  // namespace plexion::test
