#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace plexion::tool {

// Two lowercase hex digits per byte.
std::string LowerHex(std::span<const std::uint8_t> bytes);

}  // namespace plexion::tool
