#include "kind_panel_cells.h"

#include "resource_panel.h"
#include "stored_text.h"

namespace plexion {
namespace {

// A row-number cell counts from the grid row; items count from 0 one row
// below the header.
constexpr std::int32_t kIndexOffset = -1;

}  // namespace

void FillHeaderCell(CGridCell& cell, const QString& title) {
    cell.SetType(GridCellType::Text);
    cell.SetText(title);
    cell.SetEditable(false);
}

void FillIndexCell(CGridCell& cell) {
    cell.SetType(GridCellType::RowNumber);
    cell.SetInt(kIndexOffset);
    cell.SetEditable(false);
}

void FillStoredTextCell(CGridCell& cell, const std::string& stored, GridCellType type,
                        bool editable) {
    cell.SetType(type);
    cell.SetText(FromStored(stored));
    cell.SetEditable(editable);
}

void FillInformationCell(CGridCell& cell, const std::string& stored) {
    FillStoredTextCell(cell, stored, GridCellType::Text, false);
}

void ShowNewItem(CResourcePanel& panel, int item) {
    panel.RefreshRow(item);
}

}  // namespace plexion
