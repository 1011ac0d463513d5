// Pixel edits of pictures: cropping to the visible pixels, making a colour
// transparent and replacing a colour.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "bitmap_item.h"

namespace plexion {
namespace {

struct CChannels {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Channels scaled so that only the hue-like shape of the colour remains;
// grays have none. The division is by the maximum, as the tolerances expect.
CChannels Normalized(int r, int g, int b) {
    const int low = std::min({r, g, b});
    const int high = std::max({r, g, b});
    if (r == g && g == b) {
        return {};
    }
    return {(r - low) * 255 / high, (g - low) * 255 / high, (b - low) * 255 / high};
}

bool KeepsOrder(int sourceFirst, int sourceSecond, int pixelFirst, int pixelSecond) {
    if (sourceFirst > sourceSecond) {
        return pixelFirst >= pixelSecond;
    }
    if (sourceFirst < sourceSecond) {
        return pixelFirst <= pixelSecond;
    }
    return true;
}

// Pixel edits work on straight (not premultiplied) colours.
QImage StraightCopy(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

bool CVKT_Bitmap::CropToAlpha(bool adjustOffsets) {
    if (kind_ != kKindImage) {
        return false;
    }
    const int width = static_cast<int>(displayWidth_);
    const int height = static_cast<int>(displayHeight_);
    if (width <= 0 || height <= 0) {
        return true;
    }
    // One pass in memory order: every visible pixel lies between the extreme
    // visible columns, so the box of all visible pixels is the same box the
    // column-then-row scan finds.
    int left = width;
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        int first = 0;
        while (first < width && qAlpha(line[first]) == 0) {
            ++first;
        }
        if (first == width) {
            continue;
        }
        int last = width - 1;
        while (qAlpha(line[last]) == 0) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        top = top < 0 ? y : top;
        bottom = y;
    }
    if (right < 0) {
        // Nothing visible: there is no rectangle to keep.
        return false;
    }
    if (right - left + 1 == width && bottom - top + 1 == height) {
        return true;
    }
    const QImage cropped = image_.copy(left, top, right - left + 1, bottom - top + 1);
    if (cropped.isNull()) {
        return false;
    }
    const std::string fileName = sourceFileName_;
    Reset();
    TakeImage(cropped);
    sourceFileName_ = fileName;
    if (adjustOffsets) {
        offsetX_ += left;
        offsetY_ += top;
    }
    return true;
}

bool CVKT_Bitmap::SetAlphaToColor(ColorRef color) {
    if (kind_ != kKindImage) {
        return false;
    }
    QImage straight = StraightCopy(image_);
    const int width = std::min(static_cast<int>(displayWidth_), straight.width());
    const int height = std::min(static_cast<int>(displayHeight_), straight.height());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            if (qRed(p) == RedOf(color) && qGreen(p) == GreenOf(color) &&
                qBlue(p) == BlueOf(color)) {
                line[x] = qRgba(qRed(p), qGreen(p), qBlue(p), 0);
            }
        }
    }
    image_ = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

bool CVKT_Bitmap::ChangeColor(int sourceRed, int sourceGreen, int sourceBlue, int /*sourceAlpha*/,
                              int targetRed, int targetGreen, int targetBlue, int targetAlpha,
                              int hueTolerance, int darkTolerance, int brightTolerance) {
    if (kind_ != kKindImage) {
        return false;
    }
    const CChannels source = Normalized(sourceRed, sourceGreen, sourceBlue);
    const int sourceMin = std::min({sourceRed, sourceGreen, sourceBlue});
    const int sourceMax = std::max({sourceRed, sourceGreen, sourceBlue});
    const int halfTolerance = hueTolerance / 2;
    QImage straight = StraightCopy(image_);
    const int width = std::min(static_cast<int>(displayWidth_), straight.width());
    const int height = std::min(static_cast<int>(displayHeight_), straight.height());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            const int r = qRed(p);
            const int g = qGreen(p);
            const int b = qBlue(p);
            if (!KeepsOrder(sourceRed, sourceGreen, r, g) ||
                !KeepsOrder(sourceGreen, sourceBlue, g, b) ||
                !KeepsOrder(sourceBlue, sourceRed, b, r)) {
                continue;
            }
            const CChannels pixel = Normalized(r, g, b);
            const int distance = std::abs(source.r - pixel.r) + std::abs(source.g - pixel.g) +
                                 std::abs(source.b - pixel.b);
            if (distance > hueTolerance ||
                std::abs(sourceMin - std::min({r, g, b})) > darkTolerance ||
                std::abs(sourceMax - std::max({r, g, b})) > brightTolerance) {
                continue;
            }
            const int weight = distance < halfTolerance ? 0 : 2 * (distance - halfTolerance);
            // A zero tolerance admits only distance 0, which takes the target.
            // An odd tolerance rounds its half down, so a pixel at the full
            // distance would weigh a little over 1 and push channels past
            // 0..255: the blend never goes beyond the pixel's own colour.
            const double t = hueTolerance != 0
                                 ? std::clamp(static_cast<double>(weight) / hueTolerance, 0.0, 1.0)
                                 : 0.0;
            const auto blend = [t](int own, int target) {
                return static_cast<int>(std::trunc(own * t + target * (1.0 - t)));
            };
            line[x] = qRgba(blend(r, targetRed), blend(g, targetGreen), blend(b, targetBlue),
                            blend(qAlpha(p), targetAlpha));
        }
    }
    image_ = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

}  // namespace plexion
