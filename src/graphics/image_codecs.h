#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "decoded_picture.h"

namespace plexion {

// The filter text every image file dialog uses.
inline constexpr const char* kImageFileFilter =
    "Windows Images Files (*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf)";

// Decodes a complete encoded image file held in memory: BMP, JPEG (EXIF
// orientation applied), PNG, TIFF, GIF (first frame), ICO (the largest image),
// WMF and EMF. No picture when the bytes are not a picture these codecs can
// read, when the picture would be larger than the decoding limits allow, or
// when a metafile asks for more work than a picture may take. The picture is
// Format_ARGB32_Premultiplied. Safe to call from several threads at once.
SDecodedPicture DecodePicture(std::span<const std::uint8_t> bytes);
// The picture alone; null when there is none.
QImage DecodeImage(std::span<const std::uint8_t> bytes);

// Sets Qt's own allocation limit for image readers from the decoding limits
// (Qt's default would refuse large pictures the limits allow). Every program
// that decodes pictures calls it once at start-up.
void ApplyDecodeLimitsToQt();

// Encodes with the encoder whose MIME type equals `mimeType` exactly
// (case-sensitive). Empty when no encoder matches or encoding fails.
std::optional<std::vector<std::uint8_t>> EncodeImage(const QImage& image,
                                                     const std::string& mimeType);

// The MIME types EncodeImage accepts.
std::vector<std::string> ImageEncoderMimeTypes();

}  // namespace plexion
