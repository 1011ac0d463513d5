#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "sound_waveform.h"

namespace plexion {

class COggSoundData;

// A decoded Ogg Vorbis stream reduced to its waveform: the lowest and
// highest value of its two output channels over runs of `framesPerBin`
// stream frames (the last run may be shorter). However long the stream,
// it keeps at most 2 × kOggWaveformBins runs.
struct COggWaveform {
    std::int64_t frames = 0;
    std::int64_t framesPerBin = 1;
    std::vector<CWaveColumn> bins;
};

inline constexpr std::size_t kOggWaveformBins = 4096;

// Decodes the whole stream once. Nullopt when `cancel` was set before the
// end; a waveform of 0 frames when the bytes hold no playable stream.
std::optional<COggWaveform> DecodeOggWaveform(const COggSoundData& data,
                                              const std::atomic<bool>& cancel);

// The waveform over `width` pixel columns: column c gathers the runs that
// hold frames trunc(c × frames / width) up to the next column's first frame.
// Empty for a width below 1 or a waveform without frames.
std::vector<CWaveColumn> OggWaveColumns(const COggWaveform& waveform, int width);

}  // namespace plexion
