#pragma once

#include <QString>

#include <utility>
#include <vector>

#include "grid_cell.h"
#include "kind_columns.h"
#include "kind_panel_cell_edits.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"
#include "resource_container.h"
#include "resource_panel.h"

namespace plexion {

// What every kind panel shares: its group is the one of kind T in the
// document's container, its items are that group's items, deleting and
// moving them goes through the document's editing path, and its columns are
// a table the panel sets once (see kind_columns.h), which fills, edits and
// copies the cells.
template <typename T>
class CKindPanel : public CResourcePanel {
public:
    using CResourcePanel::CResourcePanel;

    const CVKT_ResourceGroup* GetGroup() const override {
        return Container() != nullptr ? Container()->GroupAt(T::kKind) : nullptr;
    }
    int GetItemCount() const override {
        return Container() != nullptr ? Container()->template Count<T>() : 0;
    }
    // Null outside the group; read only, changes go through EditDocument.
    const T* Item(int item) const {
        return Container() != nullptr ? Container()->template GetAt<T>(item) : nullptr;
    }

    bool DeleteItem(int item) override { return DeleteKindItem<T>(*this, item); }
    bool DoMoveItem(int from, int to) override { return MoveKindItem<T>(*this, from, to); }

    int GetColumnCount() const override { return static_cast<int>(columns_.size()); }

    void FillItemCell(int kindColumn, int row) override {
        CGridCell* cell = KindCell(kindColumn, row);
        if (cell == nullptr || kindColumn < 0 || kindColumn >= GetColumnCount()) {
            return;
        }
        const CKindColumn<T>& column = columns_[static_cast<size_t>(kindColumn)];
        if (row == 0) {
            FillHeaderCell(*cell, QString::fromLatin1(column.header));
            return;
        }
        const T* item = Item(ItemOfRow(row));
        if (item != nullptr) {
            column.fill(*cell, *item);
        }
    }

    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override {
        const int kindColumn = KindColumnOf(dstColumn);
        if (kindColumn < 0 || kindColumn >= GetColumnCount() ||
            kindColumn != KindColumnOf(srcColumn)) {
            return false;
        }
        const CKindColumn<T>& column = columns_[static_cast<size_t>(kindColumn)];
        if (column.apply) {
            return column.apply(dstRow, srcRow);
        }
        if (!column.store.edit || !ApplyStoredCell(*this, column.store, dstColumn, dstRow,
                                                   srcColumn, srcRow, column.changed)) {
            return false;
        }
        if (column.taken) {
            column.taken(dstRow);
        }
        return true;
    }

    bool StoreEditedCell(CVKT_ResourceContainer& container, int column, int row) override {
        const int kindColumn = KindColumnOf(column);
        const CGridCell* edited = KindCell(kindColumn, row);
        if (kindColumn < 0 || kindColumn >= GetColumnCount() || edited == nullptr) {
            return false;
        }
        const CKindColumn<T>& kind = columns_[static_cast<size_t>(kindColumn)];
        // Columns with logic or follow-ups of their own take the cell as
        // any edit of it does.
        if (kind.apply || kind.taken || kind.changed) {
            return CResourcePanel::StoreEditedCell(container, column, row);
        }
        if (!kind.store.edit) {
            return false;
        }
        T* item = container.template GetAt<T>(ItemOfRow(row));
        const bool changed = item != nullptr && kind.store.edit(*item, *edited);
        const QString* text = edited->Text();
        if (!kind.store.keepsAsciiAsTyped || text == nullptr || !IsAscii(*text)) {
            FillItemCell(kindColumn, row);
        }
        return changed;
    }

protected:
    // The kind columns in their order; set once, in the constructor.
    void SetColumns(std::vector<CKindColumn<T>> columns) { columns_ = std::move(columns); }

private:
    std::vector<CKindColumn<T>> columns_;
};

}  // namespace plexion
