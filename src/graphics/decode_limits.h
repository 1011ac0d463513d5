#pragma once

#include <cstdint>

namespace plexion {

// The largest picture a decoder may produce. A file can claim any size in
// a few header bytes, so every decoder checks the claim against these
// before it allocates pixels.
inline constexpr std::int64_t kMaxDecodedSide = 16384;
inline constexpr std::int64_t kMaxDecodedBytes = std::int64_t{256} * 1024 * 1024;

inline bool IsDecodableSize(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDecodedSide && height <= kMaxDecodedSide &&
           width * height * 4 <= kMaxDecodedBytes;
}

}  // namespace plexion
