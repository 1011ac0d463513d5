#pragma once

namespace plexion {

// Registers the trajectory kind with the document.
void RegisterTrajectoryKinds();

}  // namespace plexion
