#include "sound_play_position.h"

#include <algorithm>
#include <cmath>

#include "audio_system.h"
#include "wav_memory.h"

namespace plexion {
namespace {

// Frames of the sound a voice steps through per output frame.
double SoundFramesPerOutputFrame(const CVKT_WavMemory& sound, std::int32_t outputRate) {
    const std::int32_t rate = sound.StorageKind() == CVKT_WavMemory::kStorageOgg
                                  ? sound.Ogg().StreamInfo().rate
                                  : sound.SampleRate();
    return rate > 0 && outputRate > 0 ? static_cast<double>(rate) / outputRate : 1.0;
}

}  // namespace

std::vector<double> HeardSoundFrames(const CAudioSystem& audio, const CVKT_WavMemory& sound,
                                     std::int64_t lengthFrames) {
    std::vector<double> heard;
    if (lengthFrames < 1) {
        return heard;
    }
    const CAudioOutput& output = audio.Output();
    const std::int64_t queued =
        output.IsOpen() ? static_cast<std::int64_t>(output.BufferCount()) * output.FramesPerBuffer()
                        : 0;
    const double step = SoundFramesPerOutputFrame(sound, output.Rate());
    const auto length = static_cast<double>(lengthFrames);
    for (int index = 0; index < audio.VoiceCount(); ++index) {
        const CAudioVoice* voice = audio.Voice(index);
        if (voice->GetItem() != &sound || !voice->IsPlaying()) {
            continue;
        }
        double frame = 0.0;
        if (voice->RenderedFrames() > queued) {
            frame = voice->ReadPosition() - static_cast<double>(queued) * step;
            if (voice->IsLooping()) {
                frame = std::fmod(frame, length);
                frame += frame < 0.0 ? length : 0.0;
            }
        }
        heard.push_back(std::clamp(frame, 0.0, length));
    }
    return heard;
}

}  // namespace plexion
