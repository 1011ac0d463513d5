#pragma once

#include "tool_options.h"

namespace plexion::tool {

// No audio output device could be opened, or it failed while playing.
inline constexpr int kExitNoAudioDevice = 5;

// The sound commands: add-sound, sound-info, render-sound, play-sound and
// devices.
int RunAddSound(const CToolOptions& options);
int RunSoundInfo(const CToolOptions& options);
int RunRenderSound(const CToolOptions& options);
int RunPlaySound(const CToolOptions& options);
int RunDevices(const CToolOptions& options);

}  // namespace plexion::tool
