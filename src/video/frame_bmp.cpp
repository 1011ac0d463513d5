#include "frame_bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

// Sizes `bytes` for the file and writes its headers; the rest is left to
// the caller, who writes every byte after `pixelOffset` (padding included).
// Returns the size of a row, padded to 4 bytes.
std::size_t StartBmp(std::vector<std::uint8_t>& bytes, int width, int height, int bitsPerPixel,
                     std::uint32_t pixelOffset) {
    const std::size_t rowSize =
        (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8) + 3) &
        ~std::size_t{3};
    const std::size_t fileSize = pixelOffset + rowSize * static_cast<std::size_t>(height);
    bytes.resize(fileSize);
    std::fill(bytes.begin(), bytes.begin() + kHeadersSize, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(fileSize));
    Put32(bytes, 10, pixelOffset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, static_cast<std::uint32_t>(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, static_cast<std::uint16_t>(bitsPerPixel));
    return rowSize;
}

void StoreLittleEndian(std::uint8_t* at, std::uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, &value, sizeof value);
    } else {
        for (int i = 0; i < 4; ++i) {
            at[i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

}  // namespace

void FrameBmps(const QImage& frame, std::vector<std::uint8_t>& colour,
               std::vector<std::uint8_t>* alpha) {
    const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    constexpr std::uint32_t kAlphaOffset = kHeadersSize + kGreyPaletteSize;
    const std::size_t colourRowSize = StartBmp(colour, width, height, 24, kHeadersSize);
    std::size_t alphaRowSize = 0;
    if (alpha) {
        alphaRowSize = StartBmp(*alpha, width, height, 8, kAlphaOffset);
        for (std::size_t i = 0; i < 256; ++i) {
            std::uint8_t* entry = alpha->data() + kHeadersSize + i * 4;
            entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
            entry[3] = 0;
        }
    }
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        const auto fromBottom = static_cast<std::size_t>(height - 1 - y);
        std::uint8_t* colourRow = colour.data() + kHeadersSize + colourRowSize * fromBottom;
        std::uint8_t* alphaRow =
            alpha ? alpha->data() + kAlphaOffset + alphaRowSize * fromBottom : nullptr;
        std::uint8_t* target = colourRow;
        int x = 0;
        // Four pixels make three whole words of colour and one of alpha:
        // word stores instead of sixteen byte stores.
        for (; x + 4 <= width; x += 4) {
            const QRgb p0 = source[x];
            const QRgb p1 = source[x + 1];
            const QRgb p2 = source[x + 2];
            const QRgb p3 = source[x + 3];
            StoreLittleEndian(target, (p0 & 0xffffffu) | p1 << 24);
            StoreLittleEndian(target + 4, (p1 >> 8 & 0xffffu) | p2 << 16);
            StoreLittleEndian(target + 8, (p2 >> 16 & 0xffu) | p3 << 8);
            target += 12;
            if (alphaRow) {
                StoreLittleEndian(alphaRow + x,
                                  p0 >> 24 | (p1 >> 24) << 8 | (p2 >> 24) << 16 | (p3 >> 24) << 24);
            }
        }
        for (; x < width; ++x) {
            const QRgb pixel = source[x];
            target[0] = static_cast<std::uint8_t>(pixel);
            target[1] = static_cast<std::uint8_t>(pixel >> 8);
            target[2] = static_cast<std::uint8_t>(pixel >> 16);
            target += 3;
            if (alphaRow) {
                alphaRow[x] = static_cast<std::uint8_t>(pixel >> 24);
            }
        }
        std::fill(target, colourRow + colourRowSize, 0);
        if (alphaRow) {
            std::fill(alphaRow + width, alphaRow + alphaRowSize, 0);
        }
    }
}

}  // namespace plexion
