#pragma once

#include "wmf_library.h"

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

namespace plexion {

// A bitmap of a metafile, decoded for drawing; libwmf keeps a pointer to it
// in the bitmap's data. Rows of a bottom-up bitmap are counted from its last
// line when a part of it is drawn.
struct SWmfBitmap {
    QImage image;
    bool bottomUp = true;
};

// Decodes a device-independent bitmap: a BMP file without its file header.
// Nothing when it is malformed or beyond the decoding limits.
std::optional<SWmfBitmap> DecodeDib(std::span<const std::uint8_t> dib);

// The decoded picture a libwmf bitmap refers to, or null.
const QImage* BitmapImage(const wmfBMP& bitmap);

}  // namespace plexion
