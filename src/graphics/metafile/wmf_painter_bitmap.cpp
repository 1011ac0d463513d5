#include "wmf_painter_bitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "decode_limits.h"
#include "little_endian.h"

namespace plexion {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

void AppendU32(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>(value >> (8 * i)));
    }
}

struct SDibLayout {
    std::uint64_t bitsOffset = 0;  // from the start of the DIB
    bool bottomUp = true;
};

// Where the pixels start: after the header, its colour masks and palette.
std::optional<SDibLayout> ReadDibLayout(std::span<const std::uint8_t> dib) {
    if (dib.size() < 4) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = ReadU32(dib, 0);
    if (headerSize == kCoreHeaderSize && dib.size() >= kCoreHeaderSize) {
        const std::uint32_t bits = ReadU16(dib, 10);
        const std::uint64_t entries = bits <= 8 ? (std::uint64_t{1} << bits) : 0;
        return SDibLayout{headerSize + entries * 3, true};
    }
    if (headerSize < kInfoHeaderSize || headerSize > dib.size()) {
        return std::nullopt;
    }
    const auto height = static_cast<std::int32_t>(ReadU32(dib, 8));
    const std::uint32_t bits = ReadU16(dib, 14);
    const std::uint32_t compression = ReadU32(dib, 16);
    const std::uint32_t used = ReadU32(dib, 32);
    std::uint64_t offset = headerSize;
    if (headerSize == kInfoHeaderSize && compression == kBitFields) {
        offset += 12;
    } else if (headerSize == kInfoHeaderSize && compression == kAlphaBitFields) {
        offset += 16;
    }
    const std::uint64_t entries = used != 0 ? used : (bits <= 8 ? (std::uint64_t{1} << bits) : 0);
    return SDibLayout{offset + entries * 4, height > 0};
}

}  // namespace

std::optional<SWmfBitmap> DecodeDib(std::span<const std::uint8_t> dib) {
    const std::optional<SDibLayout> layout = ReadDibLayout(dib);
    if (!layout || layout->bitsOffset > dib.size()) {
        return std::nullopt;
    }
    // Qt reads BMP files, so the file header the DIB lacks is put in front.
    QByteArray file;
    file.reserve(static_cast<qsizetype>(kFileHeaderSize + dib.size()));
    file.append("BM", 2);
    AppendU32(file, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    AppendU32(file, 0);
    AppendU32(file, static_cast<std::uint32_t>(kFileHeaderSize + layout->bitsOffset));
    file.append(reinterpret_cast<const char*>(dib.data()), static_cast<qsizetype>(dib.size()));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QSize size = reader.size();
    if (!IsDecodableSize(size.width(), size.height())) {
        return std::nullopt;
    }
    QImage image;
    if (!reader.read(&image)) {
        return std::nullopt;
    }
    return SWmfBitmap{std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      layout->bottomUp};
}

const QImage* BitmapImage(const wmfBMP& bitmap) {
    const auto* decoded = static_cast<const SWmfBitmap*>(bitmap.data);
    return decoded != nullptr ? &decoded->image : nullptr;
}

}  // namespace plexion
