#pragma once

#include <functional>
#include <type_traits>

#include "grid_cell.h"
#include "kind_panel_cell_edits.h"
#include "resource_container.h"
#include "resource_panel.h"

namespace plexion {

// The ApplyCell of the Bitmaps, Animations and Maps panels for a column with
// a store: the edited cell goes into the item of its row, any other source
// row's field is copied into the destination item; `changed` runs when the
// item changed. The destination cell is refilled from the item afterwards.
// Returns whether the value was taken (also when the item held it already):
// false only when a row has no item.
template <typename T>
bool ApplyStoredCell(CResourcePanel& panel, const CCellStore<T>& store, int dstColumn,
                     int dstRow, int srcColumn, int srcRow,
                     const std::function<void()>& changed = {}) {
    const int kindColumn = panel.KindColumnOf(dstColumn);
    const int target = panel.ItemOfRow(dstRow);
    const int source = panel.ItemOfRow(srcRow);
    const CGridCell* edited = panel.KindCell(kindColumn, srcRow);
    if (kindColumn != panel.KindColumnOf(srcColumn) || target < 0 || source < 0 ||
        edited == nullptr) {
        return false;
    }
    bool taken = false;
    const bool itemChanged = panel.EditDocument([&](CVKT_ResourceContainer& container) {
        T* item = container.GetAt<T>(target);
        const T* from = container.GetAt<T>(source);
        if (item == nullptr || from == nullptr) {
            return false;
        }
        taken = true;
        return target == source ? store.edit(*item, *edited) : store.copy(*item, *from);
    });
    if (itemChanged && changed) {
        changed();
    }
    panel.RefreshItemCell(kindColumn, dstRow);
    return taken;
}

// The store of a number field read and written through `get` and `set`; an
// edited cell gives its value as an integer or a real, as the field is.
template <typename T, typename Number>
CCellStore<T> NumberStore(std::function<Number(const T&)> get,
                          std::function<void(T&, Number)> set) {
    return {[get, set](T& item, const CGridCell& edited) {
                Number value{};
                if constexpr (std::is_integral_v<Number>) {
                    value = static_cast<Number>(edited.GetInt());
                } else {
                    value = static_cast<Number>(edited.GetDouble());
                }
                if (get(item) == value) {
                    return false;
                }
                set(item, value);
                return true;
            },
            [get, set](T& target, const T& source) {
                if (get(target) == get(source)) {
                    return false;
                }
                set(target, get(source));
                return true;
            }};
}

// A real number, shown with its sign.
void FillRealCell(CGridCell& cell, double value, bool editable);
// A whole number the user cannot change; larger values show as the int32
// maximum.
void FillCountCell(CGridCell& cell, long long value);

}  // namespace plexion
