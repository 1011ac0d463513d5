#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plexion::tool {

// Writes a line (a line feed is added) or raw bytes to standard output.
void PrintLine(std::string_view line);
void WriteToStandardOutput(std::span<const std::uint8_t> bytes);

}  // namespace plexion::tool
