#include "graphic_panel_cells.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace plexion {

void FillRealCell(CGridCell& cell, double value, bool editable) {
    cell.SetType(GridCellType::Real);
    cell.SetDouble(value);
    cell.SetEditable(editable);
}

void FillCountCell(CGridCell& cell, long long value) {
    cell.SetType(GridCellType::Integer);
    cell.SetInt(static_cast<std::int32_t>(
        std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max())));
    cell.SetEditable(false);
}

}  // namespace plexion
