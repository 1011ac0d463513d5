#include "value_cells.h"

namespace plexion {

void FillListCell(CGridCell& cell, const QStringList* list, std::int32_t index) {
    cell.SetType(GridCellType::ListChoice);
    cell.SetList(list, index);
    cell.SetEditable(true);
}

void FillYesNoCell(CGridCell& cell, bool value) {
    cell.SetType(GridCellType::YesNo);
    cell.SetBool(value);
    cell.SetEditable(true);
}

void FillIntegerCell(CGridCell& cell, std::int32_t value) {
    cell.SetType(GridCellType::Integer);
    cell.SetInt(value);
    cell.SetEditable(true);
}

}  // namespace plexion
