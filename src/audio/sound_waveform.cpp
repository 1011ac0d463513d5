#include "sound_waveform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "pcm_samples.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr std::int64_t kLongRun = 110;
constexpr std::int64_t kReadsPerLongRun = 100;
constexpr std::size_t kReadsAhead = 32;

// The reads of one sample size. A column compares keys that order as the
// shown values do and turns only its lowest and highest into shown values,
// so the loop over its frames stays a few instructions a frame and the
// memory reads, which are what a long sound costs, overlap.
struct CWaveKeys8 {
    static constexpr std::size_t kBytes = 1;
    static int Key(const std::uint8_t* p, std::size_t i) { return p[i]; }
    static float Shown(int key) {
        const auto byte = static_cast<std::uint8_t>(key);
        return WaveValue(CSample8::At(&byte, 0));
    }
};
struct CWaveKeys16 {
    static constexpr std::size_t kBytes = 2;
    static int Key(const std::uint8_t* p, std::size_t i) {
        std::int16_t v;
        std::memcpy(&v, p + 2 * i, sizeof v);
        return v;
    }
    static float Shown(int key) {
        const auto v = static_cast<std::int16_t>(key);
        std::uint8_t bytes[sizeof v];
        std::memcpy(bytes, &v, sizeof v);
        return WaveValue(CSample16::At(bytes, 0));
    }
};
// A float sample's shown value is no monotonic function of it (a NaN shows
// as 0), so floats are compared shown.
struct CWaveKeys32 {
    static constexpr std::size_t kBytes = 4;
    static float Key(const std::uint8_t* p, std::size_t i) { return WaveValue(CSample32::At(p, i)); }
    static float Shown(float key) { return key; }
};

template <typename Keys>
std::vector<CWaveColumn> Columns(const std::uint8_t* data, std::int64_t frames, int channels,
                                 int width, std::int64_t& visited) {
    const std::size_t second = channels >= 2 ? 1 : 0;
    const auto step = static_cast<std::size_t>(channels);
    std::vector<CWaveColumn> columns(static_cast<std::size_t>(width));
    const double framesPerColumn = static_cast<double>(frames) / width;
    std::int64_t previous = 0;
    for (int c = 0; c < width; ++c) {
        const auto frame = static_cast<std::int64_t>(c * framesPerColumn);
        const std::size_t own = static_cast<std::size_t>(frame) * step;
        auto low0 = Keys::Key(data, own);
        auto low1 = Keys::Key(data, own + second);
        auto high0 = low0;
        auto high1 = low1;
        const std::int64_t stride = WaveColumnStride(previous, frame);
        const std::size_t jump = static_cast<std::size_t>(stride) * step;
        const std::size_t end = own + step;
        for (std::size_t i = static_cast<std::size_t>(previous + 1) * step; i < end; i += jump) {
            __builtin_prefetch(data + (i + kReadsAhead * jump) * Keys::kBytes);
            const auto v0 = Keys::Key(data, i);
            const auto v1 = Keys::Key(data, i + second);
            low0 = std::min(low0, v0);
            high0 = std::max(high0, v0);
            low1 = std::min(low1, v1);
            high1 = std::max(high1, v1);
        }
        const std::int64_t run = frame > previous ? (frame - previous - 1) / stride + 1 : 0;
        visited += run;
        // The column's own frame, unless its run just read it.
        if (frame == previous || (frame - previous - 1) % stride != 0) {
            ++visited;
        }
        columns[static_cast<std::size_t>(c)] = {{Keys::Shown(low0), Keys::Shown(low1)},
                                                {Keys::Shown(high0), Keys::Shown(high1)}};
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
                    columns = Columns<CWaveKeys8>(data.data(), frames, channels, width, reads);
                    break;
                case 16:
                    columns = Columns<CWaveKeys16>(data.data(), frames, channels, width, reads);
                    break;
                default:
                    columns = Columns<CWaveKeys32>(data.data(), frames, channels, width, reads);
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
