#pragma once

#include <cstdint>
#include <string_view>

// Fixed values of the ".dat" format. Game engines read the same files, so
// none of these may ever change; docs/FORMAT.md lists them for engine authors.
namespace plexion::format {

inline constexpr std::string_view kMagic = "VKR_RES";
inline constexpr std::int32_t kVersion = 3;

// Text scramble: stored = ((byte ^ K1) - K2) mod 256.
inline constexpr std::uint8_t kTextScrambleXor = 0x5C;     // K1
inline constexpr std::uint8_t kTextScrambleOffset = 0x21;  // K2

// Block scramble of binary-file data: stored = ((byte - K3) mod 256) ^ K4.
inline constexpr std::uint8_t kBlockScrambleOffset = 0x37;  // K3
inline constexpr std::uint8_t kBlockScrambleXor = 0xA9;     // K4

// Colors are stored as value ^ M.
inline constexpr std::uint32_t kColorMask = 0x9E3779B9;  // M

// Written before every group chunk and ignored by the reader.
inline constexpr std::string_view kChunkSeparator = "";

inline constexpr std::size_t kStreamBufferSize = 32768;

}  // namespace plexion::format
