#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>
#include <string_view>

namespace plexion {

// Toolbar pictures are drawn in code: 16 × 15 pixels written as rows of
// letters, each letter naming a colour of one shared palette and "."
// standing for a transparent pixel.
inline constexpr int kToolbarIconWidth = 16;
inline constexpr int kToolbarIconHeight = 15;

using ToolbarIconRows = std::array<std::string_view, kToolbarIconHeight>;

struct CToolbarPaletteEntry {
    char letter;
    int red;
    int green;
    int blue;
};

inline constexpr std::array<CToolbarPaletteEntry, 19> kToolbarPalette = {{
    {'k', 0, 0, 0},        // outlines
    {'w', 255, 255, 255},  // paper
    {'s', 192, 192, 192},  // metal, light body
    {'g', 128, 128, 128},  // shadowed body
    {'d', 72, 72, 72},     // text lines
    {'b', 0, 64, 200},     // ink
    {'B', 10, 36, 106},    // window title bars
    {'n', 40, 60, 120},    // first chain link
    {'c', 170, 220, 255},  // sky, glass
    {'y', 255, 220, 0},    // sun, sand
    {'f', 255, 214, 96},   // folder front
    {'F', 214, 160, 40},   // folder back
    {'o', 170, 110, 40},   // wood
    {'G', 0, 160, 0},      // grass, ticks, digits
    {'D', 0, 100, 0},      // ground
    {'r', 220, 0, 0},      // red marks
    {'m', 200, 0, 200},    // magenta swatch
    {'C', 0, 200, 200},    // cyan swatch
    {'R', 150, 20, 20},    // music note
}};

// Whether a pixel letter names a palette colour.
constexpr bool IsToolbarPaletteLetter(char letter) {
    for (const CToolbarPaletteEntry& entry : kToolbarPalette) {
        if (entry.letter == letter) {
            return true;
        }
    }
    return false;
}

// The colour of a pixel letter, or null for "." and unknown letters.
const CToolbarPaletteEntry* ToolbarPaletteEntry(char letter);

// Every row is a full row and every letter names a palette colour; the
// tables of pictures check it with static_assert, so a slip in a picture
// fails the build instead of reading past a row.
constexpr bool IsWellFormedToolbarArt(const ToolbarIconRows& rows) {
    for (std::string_view row : rows) {
        if (row.size() != kToolbarIconWidth) {
            return false;
        }
        for (char letter : row) {
            if (letter != '.' && !IsToolbarPaletteLetter(letter)) {
                return false;
            }
        }
    }
    return true;
}

// The same for every picture of a table of entries holding `rows`.
template <typename Table>
constexpr bool AllToolbarArtWellFormed(const Table& table) {
    for (const auto& entry : table) {
        if (!IsWellFormedToolbarArt(entry.rows)) {
            return false;
        }
    }
    return true;
}

// The picture with every pixel a scale × scale block.
QPixmap ToolbarArtPixmap(const ToolbarIconRows& rows, int scale);
// The picture at one and at two device pixels per pixel, so that it stays
// crisp on either kind of screen.
QIcon ToolbarArtIcon(const ToolbarIconRows& rows);

}  // namespace plexion
