#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wav_memory.h"

namespace plexion {

// One sound rendered through the whole engine (a voice of the 32 at volume
// 0.6, the mixer at master 1.0, the output's conversion) with a device that
// plays nothing, as the device would have received it.
struct COfflineRender {
    std::int32_t rate = 44100;
    std::int32_t bitsPerSample = 16;
    std::int32_t channels = 2;
    std::int64_t frames = 0;
    std::vector<std::uint8_t> samples;  // the device format: 16-bit signed or 8-bit unsigned
};

// Plays `sound` once from its first frame to the frame where its voice ends
// (or, with `loopSeconds` > 0, in a loop for that long). The leading buffers
// that the output queued before the sound started are left out. A sound the
// engine plays as silence without end (one it cannot render) gives its own
// length of silence; a sound it cannot start gives nothing.
COfflineRender RenderSoundOffline(const CVKT_WavMemory& sound, std::int32_t rate,
                                  std::int32_t bitsPerSample, double loopSeconds);

}  // namespace plexion
