#pragma once

#include <vector>

#include "audio_source.h"
#include "ogg_sound_data.h"
#include "wav_memory.h"

namespace plexion {

class CArchive;

// Plays one sound item once or in a loop.
// The voice refers to the sound without owning it; the sound tells the voice
// when it goes away or changes, and the voice then lets go of it.
class CAudioVoice : public CAudioSource, private ISoundUser {
public:
    CAudioVoice() = default;
    ~CAudioVoice() override;

    bool Open(std::int32_t bytesPerBuffer, std::int32_t framesPerBuffer, std::int32_t bitsPerSample,
              std::int32_t channels, std::int32_t rate, std::int32_t position) override;
    bool SetPosition(std::int32_t position) override;
    std::int32_t GetPosition() override;
    bool Render(std::span<float> buffer, std::int32_t rate, std::int32_t position) override;

    void ReleaseDecoder();
    bool IsPlaying() const { return playing_ != 0; }
    bool IsLooping() const { return loop_ != 0; }
    bool Start();
    // Writes or reads the loop flag, then lets the sound serialize itself.
    void Serialize(CArchive& archive);
    const CVKT_WavMemory* GetItem() const { return item_; }
    bool SetItem(const CVKT_WavMemory* item);
    bool SetLoop(bool loop);

    // Lets go of the sound and becomes idle (playing flag clear).
    void Detach();

    // The read position in frames of the sound (of the decoded stream for an
    // Ogg sound, counted from its start on every pass of a loop), and how
    // many frames of the last render came from the sound before it ended.
    double ReadPosition() const;
    std::int32_t LastSoundFrames() const { return lastSoundFrames_; }
    // Output frames rendered from the sound since it was started.
    std::int64_t RenderedFrames() const { return renderedFrames_; }
    bool HasDecoder() const { return decoder_ != nullptr; }

private:
    void SoundReleased(const CVKT_WavMemory& sound) override;
    bool RenderPcm(std::span<float> out, std::size_t frames, std::int32_t rate);
    bool RenderOgg(std::span<float> out, std::size_t frames, std::int32_t rate,
                   std::int32_t position);
    void ResetOggStage();
    // Opens the stream again from its start after it ended, for a loop; false
    // when it cannot be played again (it gave no frame on the last pass).
    bool RestartOggStream();

    COggDecoderPtr decoder_;
    const CVKT_WavMemory* item_ = nullptr;
    double readPosition_ = 0.0;
    std::int32_t loop_ = 0;
    std::int32_t playing_ = 0;
    std::int32_t lastSoundFrames_ = 0;
    std::int64_t renderedFrames_ = 0;

    // Decoded frames of an Ogg stream waiting to be played at its own rate.
    std::vector<float> oggStage_;
    std::size_t oggStageFrames_ = 0;
    double oggStagePosition_ = 0.0;
    bool oggEnded_ = false;
    // Stream frames decoded before the stage's first frame, on this pass.
    std::int64_t oggStageStart_ = 0;
};

}  // namespace plexion
