#pragma once

#include <vector>

#include "resource_group.h"

namespace plexion {

// The sorted indexes of `items` in `group`; items not in it are left out.
std::vector<int> IndexesOf(const CVKT_ResourceGroup& group,
                           const std::vector<const CVKT_Resource*>& items);

}  // namespace plexion
