#pragma once

#include <cstdint>
#include <vector>

namespace plexion::test {

using Bytes = std::vector<std::uint8_t>;

// Appends little-endian numbers, as picture files store them.
inline void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace plexion::test
