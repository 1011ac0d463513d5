#pragma once

#include <array>
#include <functional>
#include <memory>

#include "audio_device.h"
#include "audio_mixer.h"
#include "audio_output.h"
#include "audio_settings.h"
#include "audio_voice.h"

namespace plexion {

// What the application owns for sound: the six settings, the 32
// voices, the mixer and the output engine over one device. Everything runs on
// the user-interface thread.
class CAudioSystem {
public:
    static constexpr int kVoiceCount = 32;
    static constexpr float kVoiceVolume = 0.6f;

    explicit CAudioSystem(IAudioDevice& device);
    CAudioSystem(const CAudioSystem&) = delete;
    CAudioSystem& operator=(const CAudioSystem&) = delete;
    ~CAudioSystem();

    CAudioSettings& Settings() { return settings_; }
    // How ApplyAudioSettings waits its 50 ms with the device open (a sleep
    // unless replaced).
    void SetWaiter(std::function<void(int milliseconds)> waiter) { waiter_ = std::move(waiter); }

    // Stops all sound and takes the six settings into the engine.
    void ApplyAudioSettings();
    // Plays `sound` on the first idle voice, else the next in turn: the voice now playing `sound`,
    // or null when the output cannot be opened. The caller sets the voice's loop flag.
    CAudioVoice* PlaySound(const CVKT_WavMemory* sound);
    CAudioVoice* FindSoundVoice(const CVKT_WavMemory* sound) const;
    // Every playing voice of `sound` stops and lets go of it.
    void StopSound(const CVKT_WavMemory* sound);
    bool StopAllSounds();
    void ShutDownAudio();
    // Before a sound is deleted, loaded into or its document closed: every
    // voice that refers to it, playing or not, lets go of it and becomes idle.
    // Returns how many voices did.
    int DetachSound(const CVKT_WavMemory* sound);

    CAudioVoice* Voice(int index) const;
    int VoiceCount() const { return static_cast<int>(voices_.size()); }
    int NextVoiceIndex() const { return nextVoice_; }
    CAudioMixer& Mixer() { return mixer_; }
    CAudioOutput& Output() { return output_; }
    const CAudioOutput& Output() const { return output_; }
    IAudioDevice& Device() { return device_; }

private:
    IAudioDevice& device_;
    CAudioSettings settings_;
    CAudioMixer mixer_;
    CAudioOutput output_;
    std::vector<std::unique_ptr<CAudioVoice>> voices_;
    int nextVoice_ = 0;
    std::function<void(int)> waiter_;
};

}  // namespace plexion
