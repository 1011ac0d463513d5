#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace plexion {

// Little-endian numbers inside file bytes; callers check the bounds first.
inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(ReadU16(bytes, at)) |
           (static_cast<std::uint32_t>(ReadU16(bytes, at + 2)) << 16);
}

inline std::int16_t ReadI16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int16_t>(ReadU16(bytes, at));
}

inline std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(ReadU32(bytes, at));
}

}  // namespace plexion
