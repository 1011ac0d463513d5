#pragma once

#include <array>
#include <string_view>

namespace plexion {

inline constexpr int kToolbarIconWidth = 16;
inline constexpr int kToolbarIconHeight = 15;

// A toolbar picture as rows of pixel letters; each letter names a colour of
// the toolbar palette and "." is transparent.
using ToolbarIconRows = std::array<std::string_view, kToolbarIconHeight>;

struct CToolbarPaletteEntry {
    char letter;
    int red;
    int green;
    int blue;
};

// The colour of a pixel letter, or null for "." and unknown letters.
const CToolbarPaletteEntry* ToolbarPaletteEntry(char letter);

// The picture of a command's toolbar button, or null when it has none.
const ToolbarIconRows* ToolbarIconArt(int commandId);

}  // namespace plexion
