#pragma once

namespace plexion {

// Registers the sound kind with the document.
void RegisterAudioKinds();

}  // namespace plexion
