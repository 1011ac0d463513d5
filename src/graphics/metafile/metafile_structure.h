#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace plexion {

// Whether the bytes start with a Windows metafile header (placeable or
// standard) or an enhanced metafile header record.
bool LooksLikeWmf(std::span<const std::uint8_t> bytes);
bool LooksLikeEmf(std::span<const std::uint8_t> bytes);

struct SWmfPlaceableFrame {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    std::uint16_t unitsPerInch = 0;
};

struct SWmfLayout {
    std::optional<SWmfPlaceableFrame> placeable;
    // Where the header's "largest record" field lies, and the true largest
    // record in 16-bit words, so a player that sizes its record buffer from
    // the header can be given the real figure.
    std::size_t maxRecordFieldOffset = 0;
    std::uint32_t largestRecordWords = 0;
    std::size_t recordCount = 0;  // the EOF record included
};

// Walks every record of a WMF file: each must be at least a record header
// long, lie wholly inside the bytes, and the list must end with the EOF
// record. A placeable frame must be non-empty with a non-zero unit.
std::optional<SWmfLayout> CheckWmfStructure(std::span<const std::uint8_t> bytes);

struct SEmfRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct SEmfLayout {
    SEmfRect boundsPixels;         // inclusive device pixels
    SEmfRect frameHundredthsOfMm;  // picture frame in 0.01 mm
    std::size_t recordCount = 0;   // the header and EOF records included
};

// Walks every record of an EMF file: the header record first, every record
// size a multiple of four of at least eight bytes and inside the file, and
// the list ends with the EOF record.
std::optional<SEmfLayout> CheckEmfStructure(std::span<const std::uint8_t> bytes);

}  // namespace plexion
