#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexion {

// Reads a whole file; false when it cannot be opened or read, or holds more
// than `maxBytes` bytes.
bool ReadWholeFile(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& out);

}  // namespace plexion
