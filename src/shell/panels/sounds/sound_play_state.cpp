#include "sound_play_state.h"

#include "audio_system.h"

namespace plexion {

const QStringList& PlayStateNames() {
    static const QStringList names = {QStringLiteral("Stop"), QStringLiteral("Play"),
                                      QStringLiteral("Loop Play")};
    return names;
}

SoundPlayState PlayStateOf(const CAudioSystem* audio, const CVKT_WavMemory* sound) {
    if (audio == nullptr || sound == nullptr) {
        return kSoundStopped;
    }
    // A voice whose sound ended by itself keeps holding it; a later voice may
    // still play it.
    for (int index = 0; index < audio->VoiceCount(); ++index) {
        const CAudioVoice* voice = audio->Voice(index);
        if (voice->GetItem() == sound && voice->IsPlaying()) {
            return voice->IsLooping() ? kSoundLooping : kSoundPlaying;
        }
    }
    return kSoundStopped;
}

bool ApplyPlayState(CAudioSystem* audio, const CVKT_WavMemory* sound, int state) {
    if (audio == nullptr || sound == nullptr) {
        return false;
    }
    if (state == kSoundStopped) {
        audio->StopSound(sound);
        return true;
    }
    CAudioVoice* voice = audio->PlaySound(sound);
    if (voice == nullptr) {
        return false;
    }
    voice->SetLoop(state == kSoundLooping);
    return true;
}

}  // namespace plexion
