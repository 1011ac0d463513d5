#include "frame_bmp.h"

namespace plexion {
namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kGreyPaletteSize = 256 * 4;

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, static_cast<std::uint16_t>(value));
    Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

// The file with its headers filled and its pixels zeroed (rows padded to 4 bytes).
std::vector<std::uint8_t> EmptyBmp(int width, int height, int bitsPerPixel,
                                   std::uint32_t pixelOffset, std::size_t& rowSize) {
    rowSize = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8) + 3) &
              ~std::size_t{3};
    const std::size_t fileSize = pixelOffset + rowSize * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> bytes(fileSize, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(fileSize));
    Put32(bytes, 10, pixelOffset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, static_cast<std::uint32_t>(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, static_cast<std::uint16_t>(bitsPerPixel));
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> ColourBmp(const QImage& frame) {
    const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
    std::size_t rowSize = 0;
    std::vector<std::uint8_t> bytes =
        EmptyBmp(pixels.width(), pixels.height(), 24, kHeadersSize, rowSize);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        std::uint8_t* target =
            bytes.data() + kHeadersSize + rowSize * static_cast<std::size_t>(pixels.height() - 1 - y);
        for (int x = 0; x < pixels.width(); ++x) {
            *target++ = static_cast<std::uint8_t>(qBlue(source[x]));
            *target++ = static_cast<std::uint8_t>(qGreen(source[x]));
            *target++ = static_cast<std::uint8_t>(qRed(source[x]));
        }
    }
    return bytes;
}

std::vector<std::uint8_t> AlphaBmp(const QImage& frame) {
    const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
    constexpr std::uint32_t kPixelOffset = kHeadersSize + kGreyPaletteSize;
    std::size_t rowSize = 0;
    std::vector<std::uint8_t> bytes =
        EmptyBmp(pixels.width(), pixels.height(), 8, kPixelOffset, rowSize);
    for (std::size_t i = 0; i < 256; ++i) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            bytes[kHeadersSize + i * 4 + channel] = static_cast<std::uint8_t>(i);
        }
    }
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        std::uint8_t* target =
            bytes.data() + kPixelOffset + rowSize * static_cast<std::size_t>(pixels.height() - 1 - y);
        for (int x = 0; x < pixels.width(); ++x) {
            target[x] = static_cast<std::uint8_t>(qAlpha(source[x]));
        }
    }
    return bytes;
}

}  // namespace plexion
