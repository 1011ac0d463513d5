#pragma once

#include <functional>
#include <string>

#include "kind_panel_cells.h"
#include "resource_container.h"
#include "resource_panel.h"

namespace plexion {

// The item operations of the kind panels whose items are of class T, each
// made through the document's editing path.

// Appends a new item named `id`, lets `prepare` give it its first values in
// the same edit, and shows it. False when no item could be made.
template <typename T>
bool InsertKindItem(CResourcePanel& panel, const std::string& id,
                    const std::function<void(T&)>& prepare = {}) {
    int index = -1;
    panel.EditDocument(QStringLiteral("Insert Item"), [&](CVKT_ResourceContainer& container) {
        index = container.New<T>(id);
        T* item = container.GetAt<T>(index);
        if (item != nullptr && prepare) {
            prepare(*item);
        }
        return item != nullptr;
    });
    if (index < 0) {
        return false;
    }
    ShowNewItem(panel, index);
    return true;
}

template <typename T>
bool DeleteKindItem(CResourcePanel& panel, int item) {
    return panel.EditDocument(QStringLiteral("Delete Item"), [item](CVKT_ResourceContainer& container) {
        return container.Delete<T>(item) != 0;
    });
}

// True also for a move onto itself, which changes nothing.
template <typename T>
bool MoveKindItem(CResourcePanel& panel, int from, int to) {
    bool moved = false;
    panel.EditDocument(QStringLiteral("Move Item"), [&](CVKT_ResourceContainer& container) {
        moved = container.Move<T>(from, to) != 0;
        return moved && from != to;
    });
    return moved;
}

}  // namespace plexion
