#pragma once

#include <cstddef>
#include <cstdint>

namespace plexion {

// The largest picture a decoder may produce. A file can claim any size in
// a few header bytes, so every decoder checks the claim against these
// before it allocates pixels.
inline constexpr std::int64_t kMaxDecodedSide = 16384;
inline constexpr std::int64_t kMaxDecodedBytes = std::int64_t{256} * 1024 * 1024;

// A metafile is a program for drawing: a few bytes can ask for far more
// work than the picture is worth. Every record is played, and a flood fill
// visits pixels one by one, so both are bounded per picture; a metafile
// that asks for more is taken as damaged. All flood fills of one picture
// together may cover as many pixels as the largest picture holds.
inline constexpr std::size_t kMaxMetafileRecords = std::size_t{1} << 20;
inline constexpr std::int64_t kMaxFloodPixels = kMaxDecodedBytes / 4;

// Qt refuses to allocate pictures beyond its own limit, in megabytes; the
// decoders' limit is what counts, so Qt's is set from it (with room for
// decoders that work in 64-bit pixels before converting).
inline constexpr int kQtAllocationLimitMegabytes =
    static_cast<int>(2 * kMaxDecodedBytes / (1024 * 1024));

inline bool IsDecodableSize(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDecodedSide && height <= kMaxDecodedSide &&
           width * height * 4 <= kMaxDecodedBytes;
}

}  // namespace plexion
