#pragma once

#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "grid_cell.h"
#include "kind_panel_cell_edits.h"
#include "kind_panel_cells.h"

namespace plexion {

// One column of a kind panel whose items are of class T, described once:
// the base walks a panel's table of these to fill, edit and copy its cells.
template <typename T>
struct CKindColumn {
    const char* header = "";
    // Shows the item's value in its cell: type, value, whether editable.
    std::function<void(CGridCell& cell, const T& item)> fill{};
    // How an edit or a copy from another row is kept; a column without a
    // store is read-only.
    CCellStore<T> store{};
    // After the item of `row` took a value (changed or not).
    std::function<void(int row)> taken{};
    // After the item changed.
    std::function<void()> changed{};
    // A column with logic of its own takes a value from the cell of
    // `srcRow` into the item of `dstRow` itself; the store is not used.
    std::function<bool(int dstRow, int srcRow)> apply{};
};

template <typename T>
CKindColumn<T> IndexColumn() {
    return {"Index", [](CGridCell& cell, const T&) { FillIndexCell(cell); }};
}

// A text field kept as bytes, edited as `type` (Text or MultiLineText).
template <typename T, typename Get, typename Set>
CKindColumn<T> StoredTextColumn(const char* header, GridCellType type, Get get, Set set) {
    return {header,
            [get, type](CGridCell& cell, const T& item) {
                FillStoredTextCell(cell, get(item), type, true);
            },
            StoredTextStore<T>(get, set)};
}

template <typename T>
CKindColumn<T> IdColumn() {
    return {"ID",
            [](CGridCell& cell, const T& item) {
                FillStoredTextCell(cell, item.ID(), GridCellType::Text, true);
            },
            IdStore<T>()};
}

template <typename T>
CKindColumn<T> CommentsColumn() {
    return {"Comments",
            [](CGridCell& cell, const T& item) {
                FillStoredTextCell(cell, item.Comments(), GridCellType::MultiLineText, true);
            },
            CommentsStore<T>()};
}

// The item's description, read-only.
template <typename T>
CKindColumn<T> SpecificationsColumn() {
    return {"Specifications", [](CGridCell& cell, const T& item) {
                FillInformationCell(cell, item.Specifications());
            }};
}

}  // namespace plexion
