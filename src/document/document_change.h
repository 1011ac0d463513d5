#pragma once

#include <array>
#include <vector>

#include "kind_registry.h"

namespace plexion {

// What an edit, an undo or a redo changed, so that every view showing it
// can catch up: per kind the items whose content changed (indexes as they
// are afterwards) or a group whose order or membership changed.
struct CDocumentChange {
    std::array<bool, kKindCount> reshaped{};
    std::array<std::vector<int>, kKindCount> items;
    // The document's own name or comments.
    bool documentFields = false;

    bool Touches(int kind) const {
        return kind >= 0 && kind < kKindCount && (reshaped[kind] || !items[kind].empty());
    }
    bool Empty() const {
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (Touches(kind)) {
                return false;
            }
        }
        return !documentFields;
    }
};

}  // namespace plexion
