#include "offline_render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>

#include "audio_system.h"

namespace plexion {

COfflineRender RenderSoundOffline(const CVKT_WavMemory& sound, std::int32_t rate,
                                  std::int32_t bitsPerSample, double loopSeconds) {
    COfflineRender result;
    result.rate = rate;
    result.bitsPerSample = bitsPerSample;
    CNullAudioDevice device;
    CAudioSystem system(device);
    system.SetWaiter(nullptr);
    CAudioSettings& settings = system.Settings();
    settings.rate = rate;
    settings.bitsPerSample = bitsPerSample;
    system.ApplyAudioSettings();
    CAudioVoice* voice = system.PlaySound(&sound);
    if (!voice) {
        return result;
    }
    const bool loop = loopSeconds > 0;
    voice->SetLoop(loop);
    const CAudioOutput& output = system.Output();
    const std::int64_t framesPerBuffer = output.FramesPerBuffer();
    const std::size_t frameBytes =
        static_cast<std::size_t>(output.Channels()) * static_cast<std::size_t>(bitsPerSample / 8);
    result.channels = output.Channels();

    // How many frames to take at most.
    std::int64_t limit = 0;
    if (loop) {
        limit = static_cast<std::int64_t>(std::llround(loopSeconds * rate));
    } else if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        limit = voice->HasDecoder() ? INT64_MAX : 0;
    } else if (!sound.SampleData().empty() && sound.SampleRate() > 0) {
        // The voice's own end decides; this only bounds a sound the engine
        // renders as endless silence.
        limit = static_cast<std::int64_t>(std::ceil(static_cast<double>(sound.FrameCount()) * rate /
                                                    sound.SampleRate())) +
                2;
    }

    // The buffers queued at open hold what sounded before the play.
    const std::size_t before = device.QueuedCount();
    // Frames of the sound in each refilled buffer, in queue order.
    std::deque<std::int64_t> content;
    bool ended = !voice->IsPlaying();
    auto noteRefill = [&] {
        if (ended) {
            content.push_back(0);
        } else if (!voice->IsPlaying() || voice->GetItem() != &sound) {
            ended = true;
            content.push_back(voice->LastSoundFrames());
        } else {
            content.push_back(framesPerBuffer);
        }
    };
    for (std::size_t i = 0; i < before && device.CompleteOne(); ++i) {
        noteRefill();
    }
    while (result.frames < limit && !content.empty()) {
        const CNullAudioDevice::CQueued* front = device.Front();
        if (!front) {
            break;
        }
        const std::int64_t inBuffer = loop ? framesPerBuffer : content.front();
        const std::int64_t take = std::min(inBuffer, limit - result.frames);
        result.samples.insert(
            result.samples.end(), front->bytes.begin(),
            front->bytes.begin() +
                static_cast<std::ptrdiff_t>(static_cast<std::size_t>(take) * frameBytes));
        result.frames += take;
        const bool last = !loop && content.front() < framesPerBuffer;
        content.pop_front();
        if (last) {
            break;
        }
        if (!device.CompleteOne()) {
            break;
        }
        noteRefill();
    }
    system.DetachSound(&sound);
    system.ShutDownAudio();
    return result;
}

}  // namespace plexion
