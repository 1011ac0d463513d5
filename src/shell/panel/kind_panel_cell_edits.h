#pragma once

#include <functional>
#include <string>
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
};

// The ApplyCell of a kind panel for a column with a store: the edited cell
// goes into the item of its row, any other source cell copies the source
// row's field into the destination item, whose cell is then refilled. Every
// change goes through the document's editing path. False when either row
// has no item.
template <typename T>
bool ApplyItemCell(CResourcePanel& panel, const CCellStore<T>& store, int dstColumn, int dstRow,
                   int srcColumn, int srcRow) {
    const int target = panel.ItemOfRow(dstRow);
    const int source = panel.ItemOfRow(srcRow);
    const int kindColumn = panel.KindColumnOf(dstColumn);
    if (target < 0 || source < 0) {
        return false;
    }
    if (dstColumn == srcColumn && dstRow == srcRow) {
        const CGridCell* cell = panel.KindCell(kindColumn, dstRow);
        if (cell == nullptr) {
            return false;
        }
        panel.EditDocument([&](CVKT_ResourceContainer& container) {
            T* item = container.GetAt<T>(target);
            return item != nullptr && store.edit(*item, *cell);
        });
        return true;
    }
    panel.EditDocument([&](CVKT_ResourceContainer& container) {
        T* item = container.GetAt<T>(target);
        const T* from = container.GetAt<T>(source);
        return item != nullptr && from != nullptr && store.copy(*item, *from);
    });
    panel.RefreshItemCell(kindColumn, dstRow);
    return true;
}

// The store of a text field kept as bytes: an edit that leaves the shown
// text as it was keeps the bytes, so texts that are not UTF-8 survive it.
template <typename T, typename Get, typename Set>
CCellStore<T> StoredTextStore(Get get, Set set) {
    return {[get, set](T& item, const CGridCell& edited) {
                std::string value = get(item);
                if (!StoreEditedText(value, edited.GetText())) {
                    return false;
                }
                set(item, std::move(value));
                return true;
            },
            [get, set](T& target, const T& source) {
                if (get(target) == get(source)) {
                    return false;
                }
                set(target, std::string(get(source)));
                return true;
            }};
}

template <typename T>
CCellStore<T> IdStore() {
    return StoredTextStore<T>([](const T& item) -> const std::string& { return item.ID(); },
                              [](T& item, std::string id) { item.SetID(std::move(id)); });
}

template <typename T>
CCellStore<T> CommentsStore() {
    return StoredTextStore<T>(
        [](const T& item) -> const std::string& { return item.Comments(); },
        [](T& item, std::string comments) { item.SetComments(std::move(comments)); });
}

}  // namespace plexion
