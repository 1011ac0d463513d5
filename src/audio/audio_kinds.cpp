#include "audio_kinds.h"

#include "kind_registry.h"
#include "wav_memory.h"

namespace plexion {

void RegisterAudioKinds() {
    RegisterResourceKind<CVKT_WavMemory>();
}

}  // namespace plexion
