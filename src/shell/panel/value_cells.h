#pragma once

#include <QStringList>

#include <cstdint>

#include "grid_cell.h"

namespace plexion {

// Editable cells of the kind panels that hold a value rather than a text
// (the text cells are in kind_panel_cells.h).

// A choice among `list`, which must outlive the cell.
void FillListCell(CGridCell& cell, const QStringList* list, std::int32_t index);
void FillYesNoCell(CGridCell& cell, bool value);
void FillIntegerCell(CGridCell& cell, std::int32_t value);

}  // namespace plexion
