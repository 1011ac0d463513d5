#pragma once

namespace plexion {

class CAudioSystem;

// The audio engine the application owns, for the panels that play sounds.
// Null until the application (or a test) sets it; the caller keeps
// ownership.
CAudioSystem* ApplicationAudio();
void SetApplicationAudio(CAudioSystem* audio);

}  // namespace plexion
