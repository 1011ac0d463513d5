#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plexion {

class CVKT_ResourceContainer;

namespace map_split {

// The linked fields of the split: how many tiles of `tile` pixels cover
// `extent` pixels, and how wide the tiles must be for `count` of them to
// cover it. Both round up; 0 for a tile size or count below 1.
int TilesCovering(int extent, int tile);
int TileSizeFor(int extent, int count);

// One picture of the split that no earlier tile repeats.
struct CTile {
    QImage pixels;
    // The tile as PNG: what the document stores for its bitmap.
    std::vector<std::uint8_t> png;
};

// A picture cut into tiles. Cells run line by line and name a distinct
// tile by its place in `tiles`, which keeps the order of first appearance;
// there are never more tiles than 16-bit cells can name.
struct CSplit {
    int columns = 0;
    int lines = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<CTile> tiles;
    std::vector<std::uint16_t> cells;

    int CellAt(int column, int line) const { return cells[line * columns + column]; }
};

enum class Outcome {
    Done,
    Cancelled,
    NoPicture,
    TileTooSmall,
    MapTooLarge,
    TooManyTiles,
    EncodingFailed
};

// The message for an outcome other than Done and Cancelled.
std::string OutcomeText(Outcome outcome);

// Told after each tile how many of the total are done; answering false
// stops the cut.
using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Cuts `picture` into tiles of the given size. Tiles at the right and
// bottom edges that the picture does not fill are padded transparent, so
// drawing the cells in order gives the picture back pixel for pixel.
// Identical tiles are kept once. Stops with TooManyTiles as soon as the
// distinct tiles are more than a map could name.
Outcome Cut(const QImage& picture, int tileWidth, int tileHeight, CSplit& split,
            const Progress& progress = {});

// Whether the cells of a map can name every tile: they hold bitmap indexes
// in 16 bits, and the last value means an empty cell.
bool FitsCells(const CVKT_ResourceContainer& document, const CSplit& split);

// Appends one bitmap per distinct tile, named "<pictureId>_<n>" from 0, and
// a map of those bitmaps named `mapId`, with the tile size as its cell
// size. Returns the map's index, or -1 (nothing added) when the cells could
// not name the tiles after the bitmaps the document holds already.
int AddToDocument(CVKT_ResourceContainer& document, const std::string& pictureId,
                  const std::string& mapId, const CSplit& split);

}  // namespace map_split
}  // namespace plexion
