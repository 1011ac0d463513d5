#include "audio_voice.h"

#include <algorithm>

#include "archive.h"
#include "ogg_decoder.h"
#include "pcm_samples.h"

namespace plexion {
namespace {

// Writes output frames from `frame` on; returns the frame where it stopped:
// `frames` when the buffer is full, less when the sound ended (no loop).
template <typename Sample, int Channels>
std::size_t StepThrough(const std::uint8_t* data, std::int64_t frameCount, double step, bool loop,
                        double& position, float* out, std::size_t frames) {
    for (std::size_t j = 0; j < frames; ++j) {
        auto i = static_cast<std::int64_t>(position);
        if (i >= frameCount) {
            if (!loop) {
                return j;
            }
            position = 0.0;
            i = 0;
        }
        if constexpr (Channels == 2) {
            out[2 * j] = Sample::At(data, static_cast<std::size_t>(2 * i));
            out[2 * j + 1] = Sample::At(data, static_cast<std::size_t>(2 * i + 1));
        } else {
            const float v = Sample::At(data, static_cast<std::size_t>(i));
            out[2 * j] = v;
            out[2 * j + 1] = v;
        }
        position += step;
    }
    return frames;
}

template <typename Sample>
std::size_t StepThroughChannels(int channels, const std::uint8_t* data, std::int64_t frameCount,
                                double step, bool loop, double& position, float* out,
                                std::size_t frames) {
    return channels == 2
               ? StepThrough<Sample, 2>(data, frameCount, step, loop, position, out, frames)
               : StepThrough<Sample, 1>(data, frameCount, step, loop, position, out, frames);
}

}  // namespace

CAudioVoice::~CAudioVoice() {
    if (item_) {
        item_->DetachUser(this);
    }
}

bool CAudioVoice::Open(std::int32_t bytesPerBuffer, std::int32_t framesPerBuffer,
                       std::int32_t bitsPerSample, std::int32_t channels, std::int32_t rate,
                       std::int32_t position) {
    playing_ = 1;
    readPosition_ = position;
    renderedFrames_ = 0;
    if (item_ && item_->StorageKind() == CVKT_WavMemory::kStorageOgg) {
        const COggDecoder* before = decoder_.get();
        decoder_ = item_->Ogg().OpenDecoder(std::move(decoder_), bytesPerBuffer, framesPerBuffer,
                                            bitsPerSample, channels, rate);
        if (decoder_.get() != before || !decoder_) {
            ResetOggStage();
        }
    }
    return CAudioSource::Open(bytesPerBuffer, framesPerBuffer, bitsPerSample, channels, rate,
                              position);
}

void CAudioVoice::ResetOggStage() {
    oggStageFrames_ = 0;
    oggStagePosition_ = 0.0;
    oggEnded_ = false;
    oggStageStart_ = 0;
}

double CAudioVoice::ReadPosition() const {
    if (item_ && item_->StorageKind() == CVKT_WavMemory::kStorageOgg) {
        return static_cast<double>(oggStageStart_) + oggStagePosition_;
    }
    return readPosition_;
}

bool CAudioVoice::RestartOggStream() {
    const std::int64_t passFrames = oggStageStart_ + static_cast<std::int64_t>(oggStageFrames_);
    if (passFrames <= 0) {
        return false;
    }
    // A fresh decoder: the same geometry, the read cursor back at the first
    // byte. The fraction of a frame the step carried past the end goes on
    // into the new pass, so the seam is as seamless as any other frame.
    const COggDecoder& old = *decoder_;
    COggDecoderPtr fresh =
        item_->Ogg().OpenDecoder(nullptr, old.bytesPerBuffer, old.framesPerBuffer,
                                 old.bitsPerSample, old.channels, old.rate);
    if (!fresh) {
        return false;
    }
    decoder_ = std::move(fresh);
    oggStagePosition_ -= static_cast<double>(oggStageFrames_);
    oggStageFrames_ = 0;
    oggStageStart_ = 0;
    oggEnded_ = false;
    return true;
}

bool CAudioVoice::SetPosition(std::int32_t position) {
    bool done = true;
    if (decoder_) {
        done = COggSoundData::SetPosition(decoder_.get(), position);
    }
    return CAudioSource::SetPosition(position) && done;
}

std::int32_t CAudioVoice::GetPosition() {
    return decoder_ ? COggSoundData::GetPosition(decoder_.get()) : position_;
}

void CAudioVoice::ReleaseDecoder() {
    decoder_ = COggSoundData::CloseDecoder(std::move(decoder_));
    ResetOggStage();
}

bool CAudioVoice::Start() {
    if (!item_) {
        return false;
    }
    if (item_->StorageKind() == CVKT_WavMemory::kStorageOgg) {
        return Open(bytesPerBuffer_, framesPerBuffer_, bitsPerSample_, channels_, rate_, 0);
    }
    if (!item_->SampleData().empty()) {
        readPosition_ = 0.0;
        renderedFrames_ = 0;
        playing_ = 1;
        return true;
    }
    return false;
}

void CAudioVoice::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        archive.WriteInt32(loop_);
    } else {
        loop_ = archive.ReadInt32();
    }
    if (item_ != nullptr) {
        // The voice holds its sound read only, as players do; reading a voice
        // back is a load of the whole sound, not an edit of a document.
        const_cast<CVKT_WavMemory*>(item_)->Serialize(archive);
    }
}

bool CAudioVoice::SetItem(const CVKT_WavMemory* item) {
    ReleaseDecoder();
    if (item_ != item) {
        if (item_) {
            item_->DetachUser(this);
        }
        item_ = item;
        if (item_) {
            item_->AttachUser(this);
        }
    }
    return true;
}

bool CAudioVoice::SetLoop(bool loop) {
    loop_ = loop ? 1 : 0;
    return true;
}

void CAudioVoice::Detach() {
    SetItem(nullptr);
    playing_ = 0;
    lastSoundFrames_ = 0;
}

void CAudioVoice::SoundReleased(const CVKT_WavMemory& sound) {
    if (item_ == &sound) {
        // The sound has already forgotten this voice.
        item_ = nullptr;
        Detach();
    }
}

bool CAudioVoice::Render(std::span<float> out, std::int32_t rate, std::int32_t position) {
    lastSoundFrames_ = 0;
    if (!playing_ || !item_) {
        return false;
    }
    const std::size_t frames =
        std::min(static_cast<std::size_t>(std::max(0, framesPerBuffer_)), out.size() / 2);
    if (channels_ != 2) {
        // The voice writes two channels per frame; any other output gets
        // silence rather than a write past its buffer.
        const std::size_t count =
            std::min(out.size(), frames * static_cast<std::size_t>(std::max(0, channels_)));
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
        return true;
    }
    if (item_->StorageKind() == CVKT_WavMemory::kStorageOgg) {
        return RenderOgg(out, frames, rate, position);
    }
    if (item_->SampleData().empty()) {
        return false;
    }
    return RenderPcm(out, frames, rate);
}

bool CAudioVoice::RenderPcm(std::span<float> out, std::size_t frames, std::int32_t rate) {
    const int bits = item_->BitsPerSample();
    const int channels = item_->Channels();
    const bool formatKnown = (bits == 8 || bits == 16 || bits == 32) &&
                             (channels == 1 || channels == 2) && rate > 0 &&
                             item_->SampleRate() > 0;
    if (!formatKnown) {
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(frames * 2), 0.0f);
        return true;
    }
    // Never step past the samples held, whatever the frame count says.
    const std::int64_t held = static_cast<std::int64_t>(item_->SampleData().size()) /
                              (static_cast<std::int64_t>(channels) * bits / 8);
    const std::int64_t frameCount = std::min<std::int64_t>(item_->FrameCount(), held);
    const double step = static_cast<double>(item_->SampleRate()) / static_cast<double>(rate);
    const std::uint8_t* data = item_->SampleData().data();
    const bool loop = loop_ != 0;
    std::size_t written = 0;
    if (frameCount > 0) {
        switch (bits) {
            case 8:
                written = StepThroughChannels<CSample8>(channels, data, frameCount, step, loop,
                                                        readPosition_, out.data(), frames);
                break;
            case 16:
                written = StepThroughChannels<CSample16>(channels, data, frameCount, step, loop,
                                                         readPosition_, out.data(), frames);
                break;
            default:
                written = StepThroughChannels<CSample32>(channels, data, frameCount, step, loop,
                                                         readPosition_, out.data(), frames);
                break;
        }
    }
    lastSoundFrames_ = static_cast<std::int32_t>(written);
    renderedFrames_ += static_cast<std::int64_t>(written);
    if (written < frames) {
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(written * 2),
                  out.begin() + static_cast<std::ptrdiff_t>(frames * 2), 0.0f);
        playing_ = 0;
    }
    return true;
}

bool CAudioVoice::RenderOgg(std::span<float> out, std::size_t frames, std::int32_t rate,
                            std::int32_t position) {
    if (!decoder_) {
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(frames * 2), 0.0f);
        return true;
    }
    // The stream is played at its own rate by the stepping of the PCM path;
    // its decoded frames wait in the stage.
    const std::size_t stageFrames =
        static_cast<std::size_t>(std::max(0, decoder_->framesPerBuffer));
    const std::size_t stageValues =
        stageFrames * static_cast<std::size_t>(std::max(0, decoder_->channels));
    if (oggStage_.size() != stageValues) {
        oggStage_.assign(stageValues, 0.0f);
        oggStageFrames_ = 0;
    }
    const long streamRate = decoder_->info.rate;
    const double step = streamRate > 0 && rate > 0
                            ? static_cast<double>(streamRate) / static_cast<double>(rate)
                            : 1.0;
    for (std::size_t j = 0; j < frames; ++j) {
        while (static_cast<std::size_t>(oggStagePosition_) >= oggStageFrames_) {
            if (oggEnded_ && loop_ && stageFrames != 0 && RestartOggStream()) {
                continue;
            }
            if (oggEnded_ || stageFrames == 0 || decoder_->channels != 2) {
                std::fill(out.begin() + static_cast<std::ptrdiff_t>(j * 2),
                          out.begin() + static_cast<std::ptrdiff_t>(frames * 2), 0.0f);
                lastSoundFrames_ = static_cast<std::int32_t>(j);
                renderedFrames_ += static_cast<std::int64_t>(j);
                playing_ = 0;
                return true;
            }
            oggStagePosition_ -= static_cast<double>(oggStageFrames_);
            oggStageStart_ += static_cast<std::int64_t>(oggStageFrames_);
            const bool more = item_->Ogg().Decode(decoder_.get(), oggStage_, rate, position);
            oggStageFrames_ = static_cast<std::size_t>(decoder_->lastDecodedFrames);
            oggEnded_ = !more;
        }
        const auto i = static_cast<std::size_t>(oggStagePosition_);
        out[2 * j] = oggStage_[2 * i];
        out[2 * j + 1] = oggStage_[2 * i + 1];
        oggStagePosition_ += step;
    }
    lastSoundFrames_ = static_cast<std::int32_t>(frames);
    renderedFrames_ += static_cast<std::int64_t>(frames);
    return true;
}

}  // namespace plexion
