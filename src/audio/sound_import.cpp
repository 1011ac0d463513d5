#include "sound_import.h"

#include "paths.h"
#include "resource_container.h"
#include "wav_file_info.h"
#include "wav_memory.h"

namespace plexion {
namespace {

// What makes a WAV file that loaded no sound; "" when it is one.
std::string WavProblem(const std::string& path) {
    CWavFileInfo info;
    info.Inspect(path);
    if (!info.recognised) {
        return "it is not a WAV file";
    }
    if (info.channels == 0) {
        return "it has no channels";
    }
    if (info.encoding == CWavFileInfo::Encoding::Unknown) {
        return "its sample coding (format " + std::to_string(info.formatTag) + ", " +
               std::to_string(info.bitsPerSample) + " bits) cannot be played";
    }
    if (info.sampleRate <= 0) {
        return "its sample rate is not from 1 to 2147483647 Hz";
    }
    return {};
}

}  // namespace

bool LoadSoundForImport(CVKT_WavMemory& sound, const std::string& path, std::string& why) {
    why.clear();
    if (!sound.LoadFromFile(path)) {
        why = "it cannot be read";
    } else if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        const COggStreamInfo& stream = sound.Ogg().StreamInfo();
        if (stream.channels <= 0 || stream.rate <= 0) {
            why = "it holds no Ogg Vorbis stream";
        }
    } else if (CVKT_WavMemory::FileTypeOf(path) == CVKT_WavMemory::FileType::Wav) {
        why = WavProblem(path);
    } else if (sound.FrameCount() == 0) {
        why = "it is too short for one frame of raw samples";
    }
    if (!why.empty()) {
        sound.Clear();
        return false;
    }
    return true;
}

int AddSoundFile(CVKT_ResourceContainer& container, const std::string& path, std::string* why) {
    const int index = container.New<CVKT_WavMemory>(FileTitleOf(path));
    CVKT_WavMemory* sound = container.GetAt<CVKT_WavMemory>(index);
    if (!sound) {
        return -1;
    }
    std::string problem;
    if (!LoadSoundForImport(*sound, path, problem)) {
        container.Delete<CVKT_WavMemory>(index);
        if (why) {
            *why = problem;
        }
        return -1;
    }
    return index;
}

}  // namespace plexion
