#pragma once

#include <vector>

namespace plexion {

class CVKT_ResourceContainer;

// The path commands of the Trajectories and Shapes panel and of
// plexion-tool, each applied to a selection of trajectories at once.
enum class PathOperation { RemoveAll, Resample, Smooth, Quantify, AddNoise };

// `value` brought into the operation's range the way the operation brings
// it (a smooth range also loses its fraction): what the value prompt offers
// the next time. RemoveAll takes no value and gives 0.
double ClampPathValue(PathOperation operation, double value);

struct CPathOperationOutcome {
    // Whether a trajectory with points was reshaped.
    bool changed = false;
    // The trajectories a resample left as they were: their result would have
    // held too many points.
    std::vector<int> refused;
};

// Runs `operation` with `value` on every trajectory of `items` (indexes that
// name none are skipped), in the order given.
CPathOperationOutcome ApplyPathOperation(CVKT_ResourceContainer& resources,
                                         const std::vector<int>& items, PathOperation operation,
                                         double value);

// Update Center of Mass on every trajectory of `items`; false when none
// exists.
bool UpdateCentersOfMass(CVKT_ResourceContainer& resources, const std::vector<int>& items);

}  // namespace plexion
