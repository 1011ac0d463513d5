#pragma once

#include <cstdint>
#include <vector>

namespace plexion {

class CAudioSystem;
class CVKT_WavMemory;

// Where each voice playing `sound` is heard now, in frames of the sound from
// 0 to `lengthFrames`: the voice's read position less what the output has
// queued ahead of the device (converted to the sound's rate), 0 until its
// first frame reaches the device; a looping voice wraps back from the start
// to the end of the sound. Empty when no voice plays it or the length is
// below 1.
std::vector<double> HeardSoundFrames(const CAudioSystem& audio, const CVKT_WavMemory& sound,
                                     std::int64_t lengthFrames);

}  // namespace plexion
