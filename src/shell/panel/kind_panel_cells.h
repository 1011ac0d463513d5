#pragma once

#include <QString>

#include <string>

#include "grid_cell.h"

namespace plexion {

class CResourcePanel;

// The cells most kind panels share: a column title, the zero-based index of
// an item and the texts an item stores as bytes.
void FillHeaderCell(CGridCell& cell, const QString& title);
void FillIndexCell(CGridCell& cell);
// `type` is GridCellType::Text or GridCellType::MultiLineText.
void FillStoredTextCell(CGridCell& cell, const std::string& stored, GridCellType type,
                        bool editable);
// A read-only one-line text, such as a Specifications cell.
void FillInformationCell(CGridCell& cell, const std::string& stored);

// Shows an item just added at `item`: the grid gains its row, which is
// filled and fitted and gets the cursor; columns too narrow for its cells
// widen.
void ShowNewItem(CResourcePanel& panel, int item);
// Widens grid column `column` when the cell of `row` does not fit it.
void WidenColumnToFit(CResourcePanel& panel, int column, int row);

}  // namespace plexion
