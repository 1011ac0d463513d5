#include "metafile_structure.h"

#include "little_endian.h"

#include <algorithm>

namespace plexion {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;
constexpr std::size_t kWmfMaxRecordFieldOffset = 12;
constexpr std::uint16_t kWmfHeaderWords = 9;
constexpr std::uint32_t kWmfMinRecordWords = 3;
constexpr std::uint16_t kWmfEofFunction = 0x0000;

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kEmfSignatureOffset = 40;
constexpr std::size_t kEmfMinHeaderSize = 88;
constexpr std::size_t kEmfMinRecordSize = 8;

bool IsStandardWmfHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (bytes.size() < at + kWmfHeaderSize) {
        return false;
    }
    const std::uint16_t type = ReadU16(bytes, at);
    const std::uint16_t headerWords = ReadU16(bytes, at + 2);
    const std::uint16_t version = ReadU16(bytes, at + 4);
    return (type == 1 || type == 2) && headerWords == kWmfHeaderWords &&
           (version == 0x0100 || version == 0x0300);
}

bool HasPlaceableKey(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 4 && ReadU32(bytes, 0) == kPlaceableKey;
}

SEmfRect ReadEmfRect(std::span<const std::uint8_t> bytes, std::size_t at) {
    return {ReadI32(bytes, at), ReadI32(bytes, at + 4), ReadI32(bytes, at + 8),
            ReadI32(bytes, at + 12)};
}

}  // namespace

bool LooksLikeWmf(std::span<const std::uint8_t> bytes) {
    return HasPlaceableKey(bytes) || IsStandardWmfHeader(bytes, 0);
}

bool LooksLikeEmf(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kEmfSignatureOffset + 4 && ReadU32(bytes, 0) == kEmrHeader &&
           ReadU32(bytes, kEmfSignatureOffset) == kEmfSignature;
}

std::optional<SWmfLayout> CheckWmfStructure(std::span<const std::uint8_t> bytes) {
    SWmfLayout layout;
    std::size_t at = 0;
    if (HasPlaceableKey(bytes)) {
        if (bytes.size() < kPlaceableHeaderSize) {
            return std::nullopt;
        }
        SWmfPlaceableFrame frame{ReadI16(bytes, 6), ReadI16(bytes, 8), ReadI16(bytes, 10),
                                 ReadI16(bytes, 12), ReadU16(bytes, 14)};
        if (frame.unitsPerInch == 0 || frame.right <= frame.left || frame.bottom <= frame.top) {
            return std::nullopt;
        }
        layout.placeable = frame;
        at = kPlaceableHeaderSize;
    }
    if (!IsStandardWmfHeader(bytes, at)) {
        return std::nullopt;
    }
    layout.maxRecordFieldOffset = at + kWmfMaxRecordFieldOffset;
    at += kWmfHeaderSize;
    while (bytes.size() - at >= 6) {
        const std::uint32_t words = ReadU32(bytes, at);
        const std::uint16_t function = ReadU16(bytes, at + 4);
        if (words < kWmfMinRecordWords || words > (bytes.size() - at) / 2) {
            return std::nullopt;
        }
        layout.largestRecordWords = std::max(layout.largestRecordWords, words);
        ++layout.recordCount;
        if (function == kWmfEofFunction) {
            return layout;
        }
        at += std::size_t{words} * 2;
    }
    return std::nullopt;
}

std::optional<SEmfLayout> CheckEmfStructure(std::span<const std::uint8_t> bytes) {
    if (!LooksLikeEmf(bytes) || bytes.size() < kEmfMinHeaderSize ||
        ReadU32(bytes, 4) < kEmfMinHeaderSize) {
        return std::nullopt;
    }
    SEmfLayout layout{ReadEmfRect(bytes, 8), ReadEmfRect(bytes, 24)};
    std::size_t at = 0;
    while (bytes.size() - at >= kEmfMinRecordSize) {
        const std::uint32_t type = ReadU32(bytes, at);
        const std::uint32_t size = ReadU32(bytes, at + 4);
        if (size < kEmfMinRecordSize || size % 4 != 0 || size > bytes.size() - at) {
            return std::nullopt;
        }
        ++layout.recordCount;
        if (type == kEmrEof) {
            return layout;
        }
        at += size;
    }
    return std::nullopt;
}

}  // namespace plexion
