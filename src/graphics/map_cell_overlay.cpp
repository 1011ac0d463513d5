#include "map_cell_overlay.h"

#include "map_item.h"

namespace plexion {

bool CMapCellOverlay::ApplyTo(CVKT_Map& map) const {
    bool changed = false;
    for (const auto& [key, value] : values_) {
        const int column = static_cast<int>(static_cast<std::uint32_t>(key >> 32));
        const int line = static_cast<int>(static_cast<std::uint32_t>(key));
        if (column < map.Columns() && line < map.Lines() && map.GetCell(column, line) != value) {
            changed = map.SetCell(column, line, value) || changed;
        }
    }
    return changed;
}

}  // namespace plexion
