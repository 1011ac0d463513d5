#pragma once

#include "color_ref.h"

namespace plexion {

class CVKT_Bitmap;

// The picture commands of the Bitmaps panel, which plexion-tool offers too:
// one definition, so both give the same pixels, offsets and stored bytes.
// Each stores the edited picture as PNG afterwards, so that the bytes the
// document keeps match the pixels. Bitmaps that hold no decoded picture are
// left alone; each returns whether it changed the bitmap.
namespace picture_commands {

// Change Color compares hues within this distance and brightness extremes
// within these.
inline constexpr int kHueTolerance = 80;
inline constexpr int kDarkTolerance = 128;
inline constexpr int kBrightTolerance = 128;

// Crop to Alpha Channel: the visible pixels only, drawn where they were.
bool CropToAlphaChannel(CVKT_Bitmap& bitmap);
// Set Alpha Channel to Color: `color` becomes transparent, then the picture
// is cropped as above.
bool SetAlphaChannelToColor(CVKT_Bitmap& bitmap, ColorRef color);
// Change Color: `from` (and colours of nearly its hue) becomes `to`, opaque.
bool ChangeColor(CVKT_Bitmap& bitmap, ColorRef from, ColorRef to);

}  // namespace picture_commands
}  // namespace plexion
