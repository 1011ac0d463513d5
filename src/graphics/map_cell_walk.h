#pragma once

#include <vector>

namespace plexion {

class CVKT_Map;

namespace map_cells {

struct CCell {
    int column = 0;
    int line = 0;
    friend bool operator==(const CCell&, const CCell&) = default;
};

// The cells of `map` that the straight segment between two map points (in
// pixels) passes through, each once, in order from `fromX, fromY`. Cells off
// the map are left out, so does every cell of a map whose cell size is
// below 1. A segment through a cell corner also takes one of the two cells
// beside it, so consecutive cells always share an edge: a stroke painted
// with them has no gaps.
std::vector<CCell> AlongSegment(const CVKT_Map& map, double fromX, double fromY, double toX,
                                double toY);

}  // namespace map_cells
}  // namespace plexion
