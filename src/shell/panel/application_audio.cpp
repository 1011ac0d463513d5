#include "application_audio.h"

namespace plexion {

namespace {
CAudioSystem* gAudio = nullptr;
}

CAudioSystem* ApplicationAudio() { return gAudio; }

void SetApplicationAudio(CAudioSystem* audio) { gAudio = audio; }

}  // namespace plexion
