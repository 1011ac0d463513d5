#pragma once

namespace plexion {

// Gives the document every resource kind; call once at start-up, before the
// first container is made. Calling it again does no harm.
void RegisterAllResourceKinds();

}  // namespace plexion
