#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plexion {

// The text scramble applied to every stored ID, comment, tag and text.
std::string ScrambleText(std::string text);
std::string UnscrambleText(std::string text);

// The block scramble of binary-file data, byte for byte.
void ScrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size);
void UnscrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size);

std::uint32_t MaskColor(std::uint32_t value);

}  // namespace plexion
