#pragma once

#include "decoded_picture.h"

#include <cstdint>
#include <span>

namespace plexion {

// Plays a Windows metafile onto a transparent premultiplied ARGB image in the
// metafile's own colours. The picture's size comes from the placeable
// header's frame, or from the extent of what is drawn when there is none, at
// 96 dots per inch. No picture when the file is malformed, beyond the
// decoding limits, asks for more work than a picture may take, or libwmf
// fails to play it.
SDecodedPicture DecodeWmf(std::span<const std::uint8_t> bytes);

}  // namespace plexion
