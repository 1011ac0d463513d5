#include "trajectory_kinds.h"

#include "kind_registry.h"
#include "trajectory_item.h"

namespace plexion {

void RegisterTrajectoryKinds() {
    RegisterResourceKind<CVKT_Trajectory>();
}

}  // namespace plexion
