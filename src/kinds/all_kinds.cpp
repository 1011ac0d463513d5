#include "all_kinds.h"

#include "audio_kinds.h"
#include "graphics_kinds.h"
#include "trajectory_kinds.h"

namespace plexion {

void RegisterAllResourceKinds() {
    RegisterGraphicsKinds();
    RegisterAudioKinds();
    RegisterTrajectoryKinds();
}

}  // namespace plexion
