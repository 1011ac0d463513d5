#include "resource_panel.h"

#include "resource_grid.h"

namespace plexion {

int CResourcePanel::GetRowCount() const {
    if (grid_ == nullptr) {
        return 0;
    }
    return std::max(0, grid_->Sheet().RowCount() - HeaderRowCount());
}

int CResourcePanel::ItemOfRow(int row) const {
    const int item = row - HeaderRowCount();
    return item >= 0 && item < GetRowCount() ? item : -1;
}

bool CResourcePanel::IsMarked(int item) const {
    if (grid_ == nullptr || item < 0 || item >= GetRowCount()) {
        return false;
    }
    const CGridCell* cell = grid_->Sheet().Cell(kSelectColumn, item + HeaderRowCount());
    return cell != nullptr && cell->GetBool();
}

bool CResourcePanel::SetMarked(int item, bool notify, bool value, bool repaintRow) {
    if (item < 0 || item >= GetRowCount()) {
        return false;
    }
    const int row = item + HeaderRowCount();
    CGridSheet& sheet = grid_->Sheet();
    if (CGridCell* cell = sheet.Cell(kSelectColumn, row)) {
        cell->SetBool(value);
    }
    sheet.SetRowHighlight(row, value ? 1 : 0);
    if (repaintRow) {
        grid_->RepaintRow(row);
    }
    if (notify) {
        NotifySelection();
    }
    return true;
}

bool CResourcePanel::SetAllMarked(bool notify, bool value, bool repaint) {
    const int rows = GetRowCount();
    if (rows <= 0) {
        return false;
    }
    for (int item = 0; item < rows; ++item) {
        SetMarked(item, false, value, false);
    }
    if (repaint) {
        grid_->update();
    }
    if (notify) {
        NotifySelection();
    }
    return true;
}

bool CResourcePanel::InvertMarks(bool notify, bool repaint) {
    const int rows = GetRowCount();
    if (rows <= 0) {
        return false;
    }
    for (int item = 0; item < rows; ++item) {
        SetMarked(item, false, !IsMarked(item), false);
    }
    if (repaint) {
        grid_->update();
    }
    if (notify) {
        NotifySelection();
    }
    return true;
}

int CResourcePanel::GetCursorItem() const {
    if (grid_ == nullptr) {
        return -1;
    }
    return ItemOfRow(grid_->Sheet().CursorRow());
}

bool CResourcePanel::SetCursorItem(int item) {
    const int count = GetItemCount();
    if (item >= count) {
        item = count - 1;
    }
    if (item < -1) {
        return false;
    }
    if (grid_ == nullptr) {
        return true;
    }
    const int row = item + HeaderRowCount();
    if (grid_->Sheet().CursorRow() != row) {
        grid_->MoveCursorTo(grid_->Sheet().CursorColumn(), row);
        rememberedCursorRow_ = grid_->Sheet().CursorRow();
        NotifySelection();
    }
    return true;
}

int CResourcePanel::GetAffectedCount() const {
    const int rows = GetRowCount();
    if (rows <= 0) {
        return 0;
    }
    int count = 0;
    for (int item = 0; item < rows; ++item) {
        count += IsMarked(item) ? 1 : 0;
    }
    const int cursor = GetCursorItem();
    if (cursor >= 0 && !IsMarked(cursor)) {
        ++count;
    }
    return count;
}

std::vector<int> CResourcePanel::GetAffectedItems(bool ascending, bool includeCursor) const {
    const int rows = GetRowCount();
    const int cursor = GetCursorItem();
    if (!(includeCursor && cursor >= 0)) {
        bool anyMarked = false;
        for (int item = 0; item < rows && !anyMarked; ++item) {
            anyMarked = IsMarked(item);
        }
        if (rows <= 0 || !anyMarked) {
            return {};
        }
    }
    if (rows < 2) {
        return {0};
    }
    std::vector<int> items;
    for (int i = 0; i < rows; ++i) {
        const int item = ascending ? i : rows - 1 - i;
        if (IsMarked(item) || (includeCursor && item == cursor)) {
            items.push_back(item);
        }
    }
    return items;
}

void CResourcePanel::UpdateSelectedCount() {
    if (grid_ == nullptr) {
        return;
    }
    grid_->SetStatusPrefix(QString::asprintf("Selected: %d", GetAffectedCount()));
    grid_->RefreshPositionLine();
}

void CResourcePanel::NotifySelection() {
    SelectionChanged();
    RedrawPreviewArea();
    UpdateSelectedCount();
}

void CResourcePanel::OnGridCursorChanged() {
    const int row = grid_->Sheet().CursorRow();
    if (row == rememberedCursorRow_) {
        return;
    }
    rememberedCursorRow_ = row;
    NotifySelection();
}

void CResourcePanel::OnRangeSwept(QPoint previous, QPoint clicked) {
    const int first = std::min(previous.y(), clicked.y());
    const int last = std::max(previous.y(), clicked.y());
    for (int row = first; row <= last; ++row) {
        const int item = ItemOfRow(row);
        if (item >= 0) {
            SetMarked(item, false, true, true);
        }
    }
    NotifySelection();
}

void CResourcePanel::OnCellEdited() {
    const int column = grid_->Sheet().CursorColumn();
    const int row = grid_->Sheet().CursorRow();
    const int item = ItemOfRow(row);
    if (item < 0) {
        return;
    }
    if (column == kSelectColumn) {
        const CGridCell* cell = grid_->Sheet().Cell(column, row);
        SetMarked(item, true, cell != nullptr && cell->GetBool(), true);
        return;
    }
    // A value the item refused is not copied anywhere; the cell shows the
    // item's value again.
    // The cell and every marked row it is copied to are one step.
    bool applied = false;
    AsOneEdit(EditCellLabel(column), [&] {
        applied = ApplyCell(column, row, column, row);
        if (!applied) {
            return;
        }
        const int rows = GetRowCount();
        for (int other = 0; other < rows; ++other) {
            if (other != item && IsMarked(other)) {
                ApplyCell(column, other + HeaderRowCount(), column, row);
            }
        }
    });
    if (!applied) {
        FillCell(column, row, true);
        return;
    }
    // The column fits the new value at once, not at the next refresh.
    grid_->Sheet().FitColumns(column, column);
    grid_->RecomputeScrollRanges();
    RedrawPreviewArea();
    emit itemsEdited();
}

}  // namespace plexion
