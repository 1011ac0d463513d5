#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The trajectory commands of the Trajectories and Shapes panel: add a path,
// the four path operations, Convert Trajectories to Region and Update Center
// of Mass.
int RunAddTrajectory(const CToolOptions& options);
int RunPath(const CToolOptions& options);
int RunToRegion(const CToolOptions& options);
int RunCenterOfMass(const CToolOptions& options);

}  // namespace plexion::tool
