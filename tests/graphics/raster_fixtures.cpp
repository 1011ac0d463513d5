#include "raster_fixtures.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <stdexcept>

namespace plexion::test {
namespace {

void PutU32BigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t Crc32(const Bytes& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// Packs variable-width LZW codes least significant bit first, as GIF does.
class CBitPacker {
public:
    void Put(unsigned code, int width) {
        for (int i = 0; i < width; ++i) {
            if (bitCount_ % 8 == 0) {
                bytes_.push_back(0);
            }
            if ((code >> i) & 1u) {
                bytes_.back() |= static_cast<std::uint8_t>(1u << (bitCount_ % 8));
            }
            ++bitCount_;
        }
    }
    const Bytes& Data() const { return bytes_; }

private:
    Bytes bytes_;
    int bitCount_ = 0;
};

// Codes every pixel as a literal and clears the table before it grows past
// three-bit codes, which any GIF decoder reads.
Bytes GifPixelData(int pixelCount, std::uint8_t index) {
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    CBitPacker packer;
    for (int i = 0; i < pixelCount; ++i) {
        if (i % 2 == 0) {
            packer.Put(kClear, 3);
        }
        packer.Put(index, 3);
    }
    packer.Put(kEnd, 3);
    Bytes out;
    out.push_back(2);  // minimum code size
    const Bytes& data = packer.Data();
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<long>(at),
                   data.begin() + static_cast<long>(at + length));
    }
    out.push_back(0);
    return out;
}

}  // namespace

QImage MakePatternImage(int width, int height, bool withAlpha) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int alpha = 255;
            if (withAlpha && x == 0) {
                alpha = 0;
            } else if (withAlpha && y == 0) {
                alpha = 128;
            }
            image.setPixel(x, y, qRgba((x * 37) % 256, (y * 59) % 256, (x * y) % 256, alpha));
        }
    }
    return image;
}

Bytes WriteWithQt(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) {
        throw std::runtime_error("Qt could not write the fixture as " + std::string(format));
    }
    return Bytes(data.begin(), data.end());
}

Bytes WithExifOrientation(const Bytes& jpeg, std::uint16_t orientation) {
    Bytes tiff = {'I', 'I', 0x2A, 0x00};
    PutU32(tiff, 8);       // first directory
    PutU16(tiff, 1);       // one entry
    PutU16(tiff, 0x0112);  // orientation
    PutU16(tiff, 3);       // SHORT
    PutU32(tiff, 1);
    PutU16(tiff, orientation);
    PutU16(tiff, 0);
    PutU32(tiff, 0);  // no next directory
    Bytes segment = {0xFF, 0xE1};
    const std::size_t length = 2 + 6 + tiff.size();
    segment.push_back(static_cast<std::uint8_t>(length >> 8));
    segment.push_back(static_cast<std::uint8_t>(length));
    for (char c : {'E', 'x', 'i', 'f', '\0', '\0'}) {
        segment.push_back(static_cast<std::uint8_t>(c));
    }
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    Bytes out(jpeg.begin(), jpeg.begin() + 2);  // start of image
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

Bytes MakeGif(int width, int height, const std::vector<QRgb>& frameColours) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    PutU16(out, static_cast<std::uint16_t>(width));
    PutU16(out, static_cast<std::uint16_t>(height));
    out.push_back(0x80 | 0x01);  // global colour table of 4 entries
    out.push_back(0);
    out.push_back(0);
    // Entry 0 is the transparent one; entries 1..3 the first frame colours.
    std::vector<QRgb> table = {0};
    for (QRgb colour : frameColours) {
        if (colour != 0 && table.size() < 4) {
            table.push_back(colour);
        }
    }
    table.resize(4, 0);
    for (QRgb colour : table) {
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
    }
    for (QRgb colour : frameColours) {
        const auto index = static_cast<std::uint8_t>(
            colour == 0 ? 0 : std::find(table.begin() + 1, table.end(), colour) - table.begin());
        out.insert(out.end(), {0x21, 0xF9, 4, 0x01 | (2 << 2), 10, 0, 0, 0});  // transparent 0
        out.push_back(0x2C);
        PutU16(out, 0);
        PutU16(out, 0);
        PutU16(out, static_cast<std::uint16_t>(width));
        PutU16(out, static_cast<std::uint16_t>(height));
        out.push_back(0);
        const Bytes pixels = GifPixelData(width * height, index);
        out.insert(out.end(), pixels.begin(), pixels.end());
    }
    out.push_back(0x3B);
    return out;
}

Bytes MakeIco(const std::vector<QImage>& images) {
    std::vector<Bytes> pngs;
    for (const QImage& image : images) {
        pngs.push_back(WriteWithQt(image, "png"));
    }
    Bytes out;
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].width() % 256));
        out.push_back(static_cast<std::uint8_t>(images[i].height() % 256));
        out.push_back(0);  // no palette
        out.push_back(0);
        PutU16(out, 1);   // planes
        PutU16(out, 32);  // bits per pixel
        PutU32(out, static_cast<std::uint32_t>(pngs[i].size()));
        PutU32(out, offset);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (const Bytes& png : pngs) {
        out.insert(out.end(), png.begin(), png.end());
    }
    return out;
}

Bytes PngHeaderClaiming(std::uint32_t width, std::uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes chunk = {'I', 'H', 'D', 'R'};
    PutU32BigEndian(chunk, width);
    PutU32BigEndian(chunk, height);
    chunk.insert(chunk.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    PutU32BigEndian(out, 13);
    out.insert(out.end(), chunk.begin(), chunk.end());
    PutU32BigEndian(out, Crc32(chunk));
    return out;
}

}  // namespace plexion::test
