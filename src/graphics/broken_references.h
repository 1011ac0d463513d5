#pragma once

#include <string>
#include <vector>

namespace plexion {

class CVKT_ResourceContainer;

// An animation frame or map cell that names a bitmap the document does not
// hold. Only the first such place of an item is described; `more` counts
// the item's other ones.
struct SBrokenReference {
    int kind = 0;
    int item = 0;
    std::string message;
    long long more = 0;
};

// The animations of pictures whose frames, and the maps of pictures whose
// cells, name a bitmap index the document lacks, in the group's order.
std::vector<SBrokenReference> FindBrokenAnimationFrames(const CVKT_ResourceContainer& resources);
std::vector<SBrokenReference> FindBrokenMapCells(const CVKT_ResourceContainer& resources);

}  // namespace plexion
