#include "sound_waveform.h"

#include <algorithm>
#include <cmath>

#include "pcm_samples.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr std::int64_t kLongRun = 110;
constexpr std::int64_t kReadsPerLongRun = 100;

template <typename Sample>
std::vector<CWaveColumn> Columns(const std::uint8_t* data, std::int64_t frames, int channels,
                                 int width, std::int64_t& visited) {
    const std::size_t second = channels >= 2 ? 1 : 0;
    const auto at = [&](std::int64_t frame, std::size_t channel) {
        return WaveValue(Sample::At(data, static_cast<std::size_t>(frame) *
                                                 static_cast<std::size_t>(channels) +
                                             channel));
    };
    std::vector<CWaveColumn> columns(static_cast<std::size_t>(width));
    const double framesPerColumn = static_cast<double>(frames) / width;
    std::int64_t previous = 0;
    for (int c = 0; c < width; ++c) {
        const auto frame = static_cast<std::int64_t>(c * framesPerColumn);
        float low0 = at(frame, 0);
        float low1 = at(frame, second);
        float high0 = low0;
        float high1 = low1;
        const std::int64_t stride = WaveColumnStride(previous, frame);
        for (std::int64_t f = previous + 1; f <= frame; f += stride) {
            const float v0 = at(f, 0);
            const float v1 = at(f, second);
            low0 = std::min(low0, v0);
            high0 = std::max(high0, v0);
            low1 = std::min(low1, v1);
            high1 = std::max(high1, v1);
            ++visited;
        }
        // The column's own frame, unless its run just read it.
        if (frame == previous || (frame - previous - 1) % stride != 0) {
            ++visited;
        }
        columns[static_cast<std::size_t>(c)] = {{low0, low1}, {high0, high1}};
        previous = frame;
    }
    return columns;
}

}  // namespace

float WaveValue(float value) {
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

CWaveColumn MergeWaveColumns(const CWaveColumn& a, const CWaveColumn& b) {
    return {{std::min(a.low[0], b.low[0]), std::min(a.low[1], b.low[1])},
            {std::max(a.high[0], b.high[0]), std::max(a.high[1], b.high[1])}};
}

std::int64_t WaveColumnStride(std::int64_t previous, std::int64_t frame) {
    const std::int64_t run = frame - previous;
    return run > kLongRun ? run / kReadsPerLongRun : 1;
}

std::vector<CWaveColumn> PcmWaveColumns(const CVKT_WavMemory& sound, int width,
                                        std::int64_t* visited) {
    std::int64_t reads = 0;
    std::vector<CWaveColumn> columns;
    const int bits = sound.BitsPerSample();
    const int channels = sound.Channels();
    const std::vector<std::uint8_t>& data = sound.SampleData();
    if (width >= 1 && channels >= 1 && !data.empty() && (bits == 8 || bits == 16 || bits == 32)) {
        // Never read past the samples held, whatever the frame count says.
        const std::int64_t held =
            static_cast<std::int64_t>(data.size()) / (static_cast<std::int64_t>(channels) * bits / 8);
        const std::int64_t frames = std::min<std::int64_t>(sound.FrameCount(), held);
        if (frames > 0) {
            switch (bits) {
                case 8:
                    columns = Columns<CSample8>(data.data(), frames, channels, width, reads);
                    break;
                case 16:
                    columns = Columns<CSample16>(data.data(), frames, channels, width, reads);
                    break;
                default:
                    columns = Columns<CSample32>(data.data(), frames, channels, width, reads);
                    break;
            }
        }
    }
    if (visited != nullptr) {
        *visited = reads;
    }
    return columns;
}

}  // namespace plexion
