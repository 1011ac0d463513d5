#pragma once

#include <cstdint>
#include <utility>

namespace plexion {

class CVKT_Map;
class IMessagePresenter;

namespace map_size {

inline constexpr const char* kReductionQuestion =
    "Reducing the map size will result as a loss of a part of the map data, do you really want "
    "to change the map size ?";
// Larger maps are refused rather than asked of the allocator: each column
// is an array of its own and every cell takes two bytes.
inline constexpr int kMaxSide = 1 << 20;
inline constexpr std::int64_t kMaxCells = std::int64_t{1} << 28;

// Whether a map may have these dimensions: not negative and within the
// limits above.
bool Allowed(int columns, int lines);

// Whether an edit may give a map these dimensions: allowed, and at least
// one column and one line. A map with a dimension of 0 is read back without
// cells and with cell sizes of 32, so it would not be the map the editor
// showed.
bool EditAllowed(int columns, int lines);

// The dimensions an edit of the number of columns (or lines) asks for: the
// other dimension keeps its value, but a map without cells (only a file
// can hold one) gets one of it, so that it can grow again.
std::pair<int, int> WithColumns(const CVKT_Map& map, int columns);
std::pair<int, int> WithLines(const CVKT_Map& map, int lines);

// Sets the dimensions without asking: the upper-left cells keep their
// values, cut cells are lost, new cells are 0. False (and no change) when
// the dimensions are not allowed.
bool SetDimensions(CVKT_Map& map, int columns, int lines);

// The Maps panel's resize: a reduction of either dimension is first asked
// through `presenter` (no presenter answers No); unless the answer is Yes
// nothing changes and the result is false. The same dimensions ask nothing.
bool Resize(CVKT_Map& map, int columns, int lines, IMessagePresenter* presenter);

}  // namespace map_size
}  // namespace plexion
