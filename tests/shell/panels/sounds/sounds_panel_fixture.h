#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "application_audio.h"
#include "audio_device.h"
#include "audio_system.h"
#include "simple_panel_fixture.h"
#include "sounds_panel.h"
#include "wav_memory.h"

namespace plexion::test {

// The sounds panel over a document of its own, with the application's audio
// system playing on a device that plays nothing (tests decide when a buffer
// was heard).
class CSoundsPanelTest : public CSimplePanelTest<CSoundsPanel> {
protected:
    using Column = CSoundsPanel::Column;

    void SetUp() override {
        audio_ = std::make_unique<CAudioSystem>(device_);
        audio_->SetWaiter([](int) {});
        audio_->ApplyAudioSettings();
        SetApplicationAudio(audio_.get());
        CSimplePanelTest<CSoundsPanel>::SetUp();
    }
    void TearDown() override { SetApplicationAudio(nullptr); }

    // A 16-bit stereo sound of `frames` frames at the end of the group.
    int AddSound(const std::string& id, std::int32_t frames) {
        const int index = Resources().New<CVKT_WavMemory>(id);
        Sound(index).SetPcm(16, 2, 44100, frames,
                            std::vector<std::uint8_t>(static_cast<std::size_t>(frames) * 4, 1));
        return index;
    }
    CVKT_WavMemory& Sound(int index) { return *Resources().GetAt<CVKT_WavMemory>(index); }

    // The voices that hold `sound`: how many play it, and how many of those
    // loop.
    int PlayingVoices(const CVKT_WavMemory& sound, bool looping = false) const {
        int count = 0;
        for (int index = 0; index < audio_->VoiceCount(); ++index) {
            const CAudioVoice* voice = audio_->Voice(index);
            if (voice->GetItem() == &sound && voice->IsPlaying() &&
                (!looping || voice->IsLooping())) {
                ++count;
            }
        }
        return count;
    }
    int VoicesHolding(const CVKT_WavMemory& sound) const {
        int count = 0;
        for (int index = 0; index < audio_->VoiceCount(); ++index) {
            count += audio_->Voice(index)->GetItem() == &sound ? 1 : 0;
        }
        return count;
    }

    CNullAudioDevice device_;
    std::unique_ptr<CAudioSystem> audio_;
};

}  // namespace plexion::test
