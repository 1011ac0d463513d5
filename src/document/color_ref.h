#pragma once

#include <cstdint>

namespace plexion {

// A colour with red in bits 0-7, green in 8-15 and blue in 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColor(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
           static_cast<ColorRef>(blue & 0xFF) << 16;
}
constexpr int RedOf(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace plexion
