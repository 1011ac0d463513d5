#pragma once

#include "resource_container.h"
#include "resource_panel.h"

namespace plexion {

// What every kind panel shares: its group is the one of kind T in the
// document's container, and its items are that group's items.
template <typename T>
class CKindPanel : public CResourcePanel {
public:
    using CResourcePanel::CResourcePanel;

    CVKT_ResourceGroup* GetGroup() const override {
        return Container() != nullptr ? Container()->GroupAt(T::kKind) : nullptr;
    }
    int GetItemCount() const override {
        return Container() != nullptr ? Container()->template Count<T>() : 0;
    }
    // Null outside the group.
    T* Item(int item) const {
        return Container() != nullptr ? Container()->template GetAt<T>(item) : nullptr;
    }
};

}  // namespace plexion
