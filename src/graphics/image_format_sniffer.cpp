#include "image_format_sniffer.h"

#include <algorithm>
#include <array>

#include "metafile_structure.h"

namespace plexion {
namespace {

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& magic) {
    return bytes.size() >= N && std::equal(magic.begin(), magic.end(), bytes.begin());
}

constexpr std::array<std::uint8_t, 2> kBmpMagic = {'B', 'M'};
constexpr std::array<std::uint8_t, 3> kJpegMagic = {0xFF, 0xD8, 0xFF};
constexpr std::array<std::uint8_t, 8> kPngMagic = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::array<std::uint8_t, 4> kTiffLittleMagic = {'I', 'I', 0x2A, 0x00};
constexpr std::array<std::uint8_t, 4> kTiffBigMagic = {'M', 'M', 0x00, 0x2A};
constexpr std::array<std::uint8_t, 6> kGif87Magic = {'G', 'I', 'F', '8', '7', 'a'};
constexpr std::array<std::uint8_t, 6> kGif89Magic = {'G', 'I', 'F', '8', '9', 'a'};
// Reserved 0, type 1 (icon); cursors (type 2) are not pictures here.
constexpr std::array<std::uint8_t, 4> kIcoMagic = {0x00, 0x00, 0x01, 0x00};

}  // namespace

EImageFormat SniffImageFormat(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, kPngMagic)) {
        return EImageFormat::Png;
    }
    if (StartsWith(bytes, kJpegMagic)) {
        return EImageFormat::Jpeg;
    }
    if (StartsWith(bytes, kGif87Magic) || StartsWith(bytes, kGif89Magic)) {
        return EImageFormat::Gif;
    }
    if (StartsWith(bytes, kTiffLittleMagic) || StartsWith(bytes, kTiffBigMagic)) {
        return EImageFormat::Tiff;
    }
    if (StartsWith(bytes, kBmpMagic)) {
        return EImageFormat::Bmp;
    }
    if (StartsWith(bytes, kIcoMagic)) {
        return EImageFormat::Ico;
    }
    if (LooksLikeWmf(bytes)) {
        return EImageFormat::Wmf;
    }
    if (LooksLikeEmf(bytes)) {
        return EImageFormat::Emf;
    }
    return EImageFormat::Unknown;
}

}  // namespace plexion
