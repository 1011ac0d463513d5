#include "picture_commands.h"

#include "bitmap_item.h"

namespace plexion::picture_commands {
namespace {

constexpr int kOpaque = 255;

}  // namespace

bool CropToAlphaChannel(CVKT_Bitmap& bitmap) {
    if (bitmap.GetKind() != CVKT_Bitmap::kKindImage) {
        return false;
    }
    // A picture with nothing visible cannot be cropped, but it is still
    // stored as PNG like every other.
    bitmap.CropToAlpha(true);
    return bitmap.ReencodeAsPng();
}

bool SetAlphaChannelToColor(CVKT_Bitmap& bitmap, ColorRef color) {
    if (!bitmap.SetAlphaToColor(color)) {
        return false;
    }
    bitmap.CropToAlpha(true);
    bitmap.ReencodeAsPng();
    return true;
}

bool ChangeColor(CVKT_Bitmap& bitmap, ColorRef from, ColorRef to) {
    if (!bitmap.ChangeColor(RedOf(from), GreenOf(from), BlueOf(from), kOpaque, RedOf(to),
                            GreenOf(to), BlueOf(to), kOpaque, kHueTolerance, kDarkTolerance,
                            kBrightTolerance)) {
        return false;
    }
    bitmap.ReencodeAsPng();
    return true;
}

}  // namespace plexion::picture_commands
