#include "resource_panel.h"

#include "resource_grid.h"

namespace plexion {

CGridCell* CResourcePanel::KindCell(int kindColumn, int row) const {
    if (grid_ == nullptr || kindColumn < 0) {
        return nullptr;
    }
    return grid_->Sheet().Cell(kindColumn + FixedColumnCount(), row);
}

void CResourcePanel::FillCell(int column, int row, bool repaint) {
    if (grid_ == nullptr) {
        return;
    }
    CGridCell* cell = grid_->Sheet().Cell(column, row);
    if (cell == nullptr) {
        return;
    }
    const bool header = row < HeaderRowCount();
    if (column == 0) {
        if (!header) {
            cell->SetType(GridCellType::RowNumber);
        }
    } else if (column == kSelectColumn) {
        if (header) {
            cell->SetType(GridCellType::Text);
            cell->SetText(QStringLiteral("Select"));
        } else {
            // A mark survives refilling: only a cell of another type starts
            // as No.
            cell->SetType(GridCellType::YesNo);
            cell->SetEditable(true);
        }
    } else if (column >= FixedColumnCount()) {
        FillItemCell(KindColumnOf(column), row);
    }
    if (repaint) {
        grid_->RepaintCell(column, row);
    }
}

void CResourcePanel::RefreshItemCell(int kindColumn, int itemRow) {
    FillCell(kindColumn + FixedColumnCount(), itemRow, true);
}

void CResourcePanel::RefreshRow(int item) {
    if (grid_ == nullptr || item < 0 || item >= GetItemCount()) {
        return;
    }
    CGridSheet& sheet = grid_->Sheet();
    const int row = item + HeaderRowCount();
    // An item just added to the group gets its row, and so does every item
    // the grid has not shown yet.
    if (row >= sheet.RowCount() ||
        sheet.ColumnCount() != FixedColumnCount() + GetColumnCount()) {
        const int firstNew = sheet.RowCount();
        sheet.SetColumnCount(FixedColumnCount() + GetColumnCount());
        sheet.SetRowCount(HeaderRowCount() + GetItemCount());
        for (int newRow = firstNew; newRow < sheet.RowCount(); ++newRow) {
            if (newRow != row) {
                for (int column = 0; column < sheet.ColumnCount(); ++column) {
                    FillCell(column, newRow, false);
                }
                sheet.FitRows(newRow, newRow);
            }
        }
    }
    for (int column = 0; column < sheet.ColumnCount(); ++column) {
        FillCell(column, row, false);
    }
    sheet.FitRows(row, row);
    grid_->RecomputeScrollRanges();
    SetCursorItem(item);
    grid_->ScrollCellIntoView(sheet.CursorColumn(), row);
    grid_->RepaintRows(row, sheet.RowCount() - 1);
    UpdateSelectedCount();
}

void CResourcePanel::RebuildGrid() {
    if (grid_ == nullptr) {
        return;
    }
    CGridSheet& sheet = grid_->Sheet();
    const QPoint cursor = sheet.Cursor();
    const QPointF scroll = sheet.ScrollPosition();
    const std::vector<int> marked = GetAffectedItems(true, false);

    sheet.Clear();
    sheet.SetFixedRowCount(HeaderRowCount());
    sheet.SetFixedColumnCount(FixedColumnCount());
    sheet.SetColumnCount(FixedColumnCount() + GetColumnCount());
    sheet.SetRowCount(HeaderRowCount() + GetItemCount());
    for (int row = 0; row < sheet.RowCount(); ++row) {
        for (int column = 0; column < sheet.ColumnCount(); ++column) {
            FillCell(column, row, false);
        }
    }
    for (const int item : marked) {
        SetMarked(item, false, true, false);
    }
    sheet.FitRows(0, sheet.RowCount() - 1);
    sheet.FitColumns(0, sheet.ColumnCount() - 1);
    sheet.SetCursor(cursor.x(), cursor.y());
    sheet.SetScrollPosition(scroll);
    grid_->update();
}

}  // namespace plexion
