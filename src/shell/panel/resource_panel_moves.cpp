#include "resource_panel.h"

#include "edit_step.h"
#include "resource_grid.h"

namespace plexion {

void CResourcePanel::MoveItem(int from, int to) {
    const int rows = GetRowCount();
    if (from < 0 || from >= rows || rows < 2) {
        return;
    }
    to = std::clamp(to, 0, rows - 1);
    if (!DoMoveItem(from, to)) {
        moveFailed_ = true;
    }
}

void CResourcePanel::ScrollToRows(int first, int last) {
    const int column = grid_->Sheet().CursorColumn();
    grid_->ScrollCellIntoView(column, last);
    grid_->ScrollCellIntoView(column, first);
}

void CResourcePanel::FinishRowMoves(int firstRow, int lastRow) {
    rememberedCursorRow_ = grid_->Sheet().CursorRow();
    ScrollToRows(firstRow, lastRow);
    // A kind that refused a move leaves its group as it was: the grid
    // shows the group again instead of an order that is not there.
    if (moveFailed_) {
        moveFailed_ = false;
        Refresh(true);
        return;
    }
    grid_->RepaintRows(firstRow, lastRow);
    grid_->RefreshPositionLine();
}

void CResourcePanel::MoveItemsUp() {
    const std::vector<int> items = GetAffectedItems(true, true);
    if (items.empty() || items.front() == 0) {
        return;
    }
    const int header = HeaderRowCount();
    moveFailed_ = false;
    AsOneEdit(QStringLiteral("Move Index Up"), [&] {
        for (const int item : items) {
            MoveItem(item, item - 1);
            grid_->Sheet().MoveRow(item + header, item - 1 + header);
        }
    });
    FinishRowMoves(items.front() - 1 + header, items.back() + header);
}

void CResourcePanel::MoveItemsDown() {
    const std::vector<int> items = GetAffectedItems(false, true);
    if (items.empty() || items.front() == GetRowCount() - 1) {
        return;
    }
    const int header = HeaderRowCount();
    moveFailed_ = false;
    AsOneEdit(QStringLiteral("Move Index Down"), [&] {
        for (const int item : items) {
            MoveItem(item, item + 1);
            grid_->Sheet().MoveRow(item + header, item + 1 + header);
        }
    });
    FinishRowMoves(items.back() + header, items.front() + 1 + header);
}

void CResourcePanel::GroupItems() {
    const std::vector<int> items = GetAffectedItems(true, true);
    if (items.empty()) {
        return;
    }
    const int header = HeaderRowCount();
    int target = items.front() + 1;
    AsOneEdit(QStringLiteral("Group Items"), [&] {
        for (size_t i = 1; i < items.size(); ++i) {
            MoveItem(items[i], target);
            grid_->Sheet().MoveRow(items[i] + header, target + header);
            ++target;
        }
    });
    moveFailed_ = false;
    ScrollToRows(items.front() + header, target - 1 + header);
    Refresh(true);
}

void CResourcePanel::DeleteItems() {
    const std::vector<int> items = GetAffectedItems(false, true);
    if (items.empty()) {
        return;
    }
    AsOneEdit(QString::fromStdString(ItemsLabel("Delete", items.size())), [&] {
        for (const int item : items) {
            DeleteItem(item);
        }
    });
    SetAllMarked(false, false, false);
    Refresh(true);
    SelectionChanged();
}

}  // namespace plexion
