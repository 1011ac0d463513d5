#pragma once

#include <vector>

#include "resource_group.h"

namespace plexion {

// An item and where it stood in its group when it was handed out.
struct SPlacedItem {
    const CVKT_Resource* item = nullptr;
    int expectedIndex = -1;
};

// The sorted indexes of `items` in `group`; items not in it are left out.
// An item still where it stood costs one comparison; only the others are
// looked for in the group.
std::vector<int> IndexesOf(const CVKT_ResourceGroup& group, const std::vector<SPlacedItem>& items);

}  // namespace plexion
