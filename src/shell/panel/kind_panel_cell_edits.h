#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "grid_cell.h"
#include "resource_container.h"
#include "resource_panel.h"
#include "stored_text.h"

namespace plexion {

// How one kind column of items of class T takes a value: from its edited
// cell, or from the same column of another item. Both report whether the
// item changed. A column without a store keeps nothing.
template <typename T>
struct CCellStore {
    std::function<bool(T& item, const CGridCell& edited)> edit;
    std::function<bool(T& target, const T& source)> copy;
    // Whether an edited ASCII text, once taken, is what the item's field
    // shows, so the cell needs no refill.
    bool keepsAsciiAsTyped = false;
};

// Stores the cell at (srcColumn, srcRow) into the item of dstRow through the
// document's editing path: the edited cell goes into the item of its row,
// any other source row's field is copied into the destination item;
// `changed` runs when the item changed. The destination cell is refilled
// from the item afterwards. Returns whether the value was taken (also when
// the item held it already): false only when a row has no item.
template <typename T>
bool ApplyStoredCell(CResourcePanel& panel, const CCellStore<T>& store, int dstColumn, int dstRow,
                     int srcColumn, int srcRow, const std::function<void()>& changed = {}) {
    const int kindColumn = panel.KindColumnOf(dstColumn);
    const int target = panel.ItemOfRow(dstRow);
    const int source = panel.ItemOfRow(srcRow);
    const CGridCell* edited = panel.KindCell(kindColumn, srcRow);
    if (kindColumn != panel.KindColumnOf(srcColumn) || target < 0 || source < 0 ||
        edited == nullptr) {
        return false;
    }
    bool taken = false;
    const bool itemChanged =
        panel.EditDocument(panel.EditCellLabel(dstColumn), [&](CVKT_ResourceContainer& container) {
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

// The store of a text field kept as bytes: an edit that leaves the shown
// text as it was keeps the bytes, so texts that are not UTF-8 survive it.
// `set` takes the new bytes as a view, which a field may copy into the room
// it has.
template <typename T, typename Get, typename Set>
CCellStore<T> StoredTextStore(Get get, Set set) {
    return {[get, set](T& item, const CGridCell& edited) {
                QString room;
                const QStringView text = edited.GetTextView(room);
                if (ShownAs(get(item), text)) {
                    return false;
                }
                set(item, StoredView(text));
                return true;
            },
            [get, set](T& target, const T& source) {
                if (get(target) == get(source)) {
                    return false;
                }
                set(target, std::string_view(get(source)));
                return true;
            },
            true};
}

template <typename T>
CCellStore<T> IdStore() {
    return StoredTextStore<T>([](const T& item) -> const std::string& { return item.ID(); },
                              [](T& item, std::string_view id) { item.SetID(std::string(id)); });
}

template <typename T>
CCellStore<T> CommentsStore() {
    return StoredTextStore<T>(
        [](const T& item) -> const std::string& { return item.Comments(); },
        [](T& item, std::string_view comments) { item.SetComments(std::string(comments)); });
}

}  // namespace plexion
