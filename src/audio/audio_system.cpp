#include "audio_system.h"

#include <chrono>
#include <thread>

namespace plexion {

CAudioSystem::CAudioSystem(IAudioDevice& device)
    : device_(device),
      output_(device),
      waiter_([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

CAudioSystem::~CAudioSystem() {
    ShutDownAudio();
    output_.SetSource(nullptr);
}

void CAudioSystem::ApplyAudioSettings() {
    while (static_cast<int>(voices_.size()) < kVoiceCount) {
        voices_.push_back(std::make_unique<CAudioVoice>());
    }
    voices_.resize(kVoiceCount);
    nextVoice_ = 0;
    // Settings applied twice must not add the voices twice.
    mixer_.RemoveAll();
    output_.Configure(settings_.deviceId, settings_.bufferCount, settings_.bufferLengthMs,
                      settings_.bitsPerSample, settings_.rate, settings_.channels);
    output_.SetSource(&mixer_);
    output_.Open();
    for (const auto& voice : voices_) {
        mixer_.Add(voice.get(), kVoiceVolume, 1.0f, 0);
    }
    if (waiter_) {
        waiter_(50);
    }
    output_.Close();
}

CAudioVoice* CAudioSystem::PlaySound(const CVKT_WavMemory* sound) {
    if (!output_.IsOpen()) {
        output_.Open();
        if (!output_.IsOpen()) {
            return nullptr;
        }
    }
    if (voices_.empty()) {
        return nullptr;
    }
    CAudioVoice* chosen = nullptr;
    for (const auto& voice : voices_) {
        if (!voice->IsPlaying()) {
            chosen = voice.get();
            break;
        }
    }
    if (!chosen) {
        chosen = voices_[static_cast<std::size_t>(nextVoice_) % voices_.size()].get();
    }
    chosen->Stop();
    chosen->SetItem(sound);
    chosen->Start();
    nextVoice_ = (nextVoice_ + 1) % kVoiceCount;
    return chosen;
}

CAudioVoice* CAudioSystem::FindSoundVoice(const CVKT_WavMemory* sound) const {
    for (const auto& voice : voices_) {
        if (voice->GetItem() == sound) {
            return voice.get();
        }
    }
    return nullptr;
}

void CAudioSystem::StopSound(const CVKT_WavMemory* sound) {
    for (const auto& voice : voices_) {
        if (voice->GetItem() == sound && voice->IsPlaying()) {
            voice->Stop();
            voice->SetItem(nullptr);
        }
    }
}

bool CAudioSystem::StopAllSounds() {
    output_.Close();
    nextVoice_ = 0;
    for (const auto& voice : voices_) {
        voice->Stop();
        voice->SetItem(nullptr);
    }
    return true;
}

void CAudioSystem::ShutDownAudio() {
    StopAllSounds();
    mixer_.RemoveAll();
}

int CAudioSystem::DetachSound(const CVKT_WavMemory* sound) {
    int count = 0;
    if (!sound) {
        return 0;
    }
    for (const auto& voice : voices_) {
        if (voice->GetItem() == sound) {
            voice->Stop();
            voice->Detach();
            ++count;
        }
    }
    return count;
}

CAudioVoice* CAudioSystem::Voice(int index) const {
    return index >= 0 && index < VoiceCount() ? voices_[static_cast<std::size_t>(index)].get()
                                              : nullptr;
}

}  // namespace plexion
