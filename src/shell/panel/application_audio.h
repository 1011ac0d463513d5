#pragma once

namespace plexion {

class CAudioSystem;

// The audio engine the application owns, for the panels that play sounds.
// Null until the application (or a test) sets it; the caller keeps
// ownership.
CAudioSystem* ApplicationAudio();
void SetApplicationAudio(CAudioSystem* audio);

// True the first time it is asked after an audio system was set: that no
// output device could be opened is said once per run of the editor, not at
// every Play.
bool FirstNoOutputNotice();

}  // namespace plexion
