#include "sound_import.h"

#include "paths.h"
#include "resource_container.h"
#include "wav_memory.h"

namespace plexion {

int AddSoundFile(CVKT_ResourceContainer& container, const std::string& path) {
    const int index = container.New<CVKT_WavMemory>(FileTitleOf(path));
    CVKT_WavMemory* sound = container.GetAt<CVKT_WavMemory>(index);
    if (!sound) {
        return -1;
    }
    if (!sound->LoadFromFile(path)) {
        container.Delete<CVKT_WavMemory>(index);
        return -1;
    }
    return index;
}

}  // namespace plexion
