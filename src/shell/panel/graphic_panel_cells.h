#pragma once

#include "grid_cell.h"

namespace plexion {

// The number cells of the Bitmaps panel.

// A real number, shown with its sign.
void FillRealCell(CGridCell& cell, double value, bool editable);
// A whole number the user cannot change; larger values show as the int32
// maximum.
void FillCountCell(CGridCell& cell, long long value);

}  // namespace plexion
