#include "kind_panel_cells.h"

#include "resource_grid.h"
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
    CResourceGrid* grid = panel.Grid();
    const int row = item + panel.HeaderRowCount();
    if (grid == nullptr || row >= grid->Sheet().RowCount()) {
        return;
    }
    // Only a rebuild fits the columns; without this a new item's ID or path
    // would show cut off until the next refresh.
    CGridSheet& sheet = grid->Sheet();
    bool widened = false;
    for (int column = 0; column < sheet.ColumnCount(); ++column) {
        const double needed = sheet.MeasureCell(column, row).width();
        if (needed > sheet.ColumnWidth(column)) {
            sheet.SetColumnWidth(column, needed);
            widened = true;
        }
    }
    if (widened) {
        grid->RecomputeScrollRanges();
        grid->update();
    }
}

}  // namespace plexion
