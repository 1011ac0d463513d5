#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plexion {

// The filter text every image file dialog uses.
inline constexpr const char* kImageFileFilter =
    "Windows Images Files (*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf)";

// Decodes a complete encoded image file held in memory: BMP, JPEG (EXIF
// orientation applied), PNG, TIFF, GIF (first frame), ICO (the largest image),
// WMF and EMF. Returns a null image when the bytes are not a picture these
// codecs can read, or when the picture would be larger than the decoding
// limits allow. The result is Format_ARGB32_Premultiplied. Safe to call from
// several threads at once.
QImage DecodeImage(std::span<const std::uint8_t> bytes);

// Encodes with the encoder whose MIME type equals `mimeType` exactly
// (case-sensitive). Empty when no encoder matches or encoding fails.
std::optional<std::vector<std::uint8_t>> EncodeImage(const QImage& image,
                                                     const std::string& mimeType);

// The MIME types EncodeImage accepts.
std::vector<std::string> ImageEncoderMimeTypes();

}  // namespace plexion
