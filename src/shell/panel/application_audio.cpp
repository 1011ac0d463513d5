#include "application_audio.h"

namespace plexion {

namespace {
CAudioSystem* gAudio = nullptr;
bool gNoOutputTold = false;
}  // namespace

CAudioSystem* ApplicationAudio() { return gAudio; }

void SetApplicationAudio(CAudioSystem* audio) {
    gAudio = audio;
    gNoOutputTold = false;
}

bool FirstNoOutputNotice() {
    const bool first = !gNoOutputTold;
    gNoOutputTold = true;
    return first;
}

}  // namespace plexion
