#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace plexion {

class CVKT_WavMemory;

// The lowest and highest value of the two channels a waveform shows, over
// the frames of one pixel column. Channel 0 is the sound's first channel,
// channel 1 its second (the first again for a one-channel sound).
struct CWaveColumn {
    std::array<float, 2> low{};
    std::array<float, 2> high{};
};

// A sample value as a waveform shows it: kept to ±1, a NaN as 0.
float WaveValue(float value);
// The column spanning the frames of both.
CWaveColumn MergeWaveColumns(const CWaveColumn& a, const CWaveColumn& b);

// The waveform of a sound's PCM samples over `width` pixel columns. Column c
// ends at frame V = trunc(c × frames / width) and starts after the previous
// column's V; it is read at V and then at every frame of its run, or at
// every (run / 100)th frame when the run is longer than 110 frames, so a
// column costs about 100 reads however long the sound is. Values are scaled
// as the engine hears them and kept to ±1 (a NaN reads as 0). Empty for a
// width below 1 and for a sound without PCM samples or of a sample size
// other than 8, 16 or 32 bits. `visited`, when given, receives the number of
// different frames read.
std::vector<CWaveColumn> PcmWaveColumns(const CVKT_WavMemory& sound, int width,
                                        std::int64_t* visited = nullptr);

// The frames of one column's run that are read after its own frame: from
// `previous` + 1 to `frame` with this stride.
std::int64_t WaveColumnStride(std::int64_t previous, std::int64_t frame);

}  // namespace plexion
