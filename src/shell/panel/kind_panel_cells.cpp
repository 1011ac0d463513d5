#include "kind_panel_cells.h"

#include <algorithm>

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
    // A cell that shows the text already keeps its string and its measured
    // size: refilling every cell a replace stored makes no new strings.
    const QString* shown = cell.Text();
    if (shown == nullptr || !ShownAs(stored, *shown)) {
        cell.SetText(FromStored(stored));
    }
    cell.SetEditable(editable);
}

void FillInformationCell(CGridCell& cell, const std::string& stored) {
    FillStoredTextCell(cell, stored, GridCellType::Text, false);
}

namespace {

// Widens the columns from `first` to `last` that the cells of `row` do not
// fit; whether any was.
bool WidenColumns(CResourcePanel& panel, int first, int last, int row) {
    CResourceGrid* grid = panel.Grid();
    if (grid == nullptr || row < 0 || row >= grid->Sheet().RowCount()) {
        return false;
    }
    CGridSheet& sheet = grid->Sheet();
    bool widened = false;
    for (int column = std::max(0, first); column <= last && column < sheet.ColumnCount(); ++column) {
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
    return widened;
}

}  // namespace

void ShowNewItem(CResourcePanel& panel, int item) {
    panel.RefreshRow(item);
    // Only a rebuild fits the columns; without this a new item's ID or path
    // would show cut off until the next refresh.
    const CResourceGrid* grid = panel.Grid();
    if (grid != nullptr) {
        WidenColumns(panel, 0, grid->Sheet().ColumnCount() - 1, item + panel.HeaderRowCount());
    }
}

void WidenColumnToFit(CResourcePanel& panel, int column, int row) {
    WidenColumns(panel, column, column, row);
}

}  // namespace plexion
