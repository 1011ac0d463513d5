#pragma once

namespace plexion {

// Registers the bitmap, index list and map kinds with the document.
void RegisterGraphicsKinds();

}  // namespace plexion
