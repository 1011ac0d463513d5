#include "ogg_waveform.h"

#include <algorithm>

#include "ogg_decoder.h"
#include "ogg_sound_data.h"

namespace plexion {
namespace {

// Decoding geometry: stereo floats, a buffer of 4096 frames.
constexpr std::int32_t kFrames = 4096;
constexpr std::int32_t kChannels = 2;
constexpr std::int32_t kBits = 16;
constexpr std::int32_t kRate = 44100;

// Collects frames into runs, doubling the run length (and halving the runs)
// whenever there would be too many.
class CBinner {
public:
    void Add(float left, float right) {
        const CWaveColumn frame{{left, right}, {left, right}};
        if (filled_ == 0) {
            waveform_.bins.push_back(frame);
        } else {
            waveform_.bins.back() = MergeWaveColumns(waveform_.bins.back(), frame);
        }
        ++waveform_.frames;
        if (++filled_ == waveform_.framesPerBin) {
            filled_ = 0;
            if (waveform_.bins.size() == 2 * kOggWaveformBins) {
                Halve();
            }
        }
    }
    COggWaveform Take() { return std::move(waveform_); }

private:
    void Halve() {
        std::vector<CWaveColumn>& bins = waveform_.bins;
        for (std::size_t i = 0; i < bins.size() / 2; ++i) {
            bins[i] = MergeWaveColumns(bins[2 * i], bins[2 * i + 1]);
        }
        bins.resize(bins.size() / 2);
        waveform_.framesPerBin *= 2;
    }

    COggWaveform waveform_;
    std::int64_t filled_ = 0;
};

}  // namespace

std::optional<COggWaveform> DecodeOggWaveform(const COggSoundData& data,
                                              const std::atomic<bool>& cancel) {
    CBinner binner;
    COggDecoderPtr decoder =
        data.OpenDecoder(nullptr, kFrames * kChannels * (kBits / 8), kFrames, kBits, kChannels, kRate);
    if (!decoder) {
        return binner.Take();
    }
    std::vector<float> buffer(static_cast<std::size_t>(kFrames) * kChannels);
    for (bool more = true; more;) {
        if (cancel.load(std::memory_order_relaxed)) {
            return std::nullopt;
        }
        more = data.Decode(decoder.get(), buffer, kRate, 0);
        for (std::int32_t i = 0; i < decoder->lastDecodedFrames; ++i) {
            binner.Add(WaveValue(buffer[2 * static_cast<std::size_t>(i)]),
                       WaveValue(buffer[2 * static_cast<std::size_t>(i) + 1]));
        }
    }
    return binner.Take();
}

std::vector<CWaveColumn> OggWaveColumns(const COggWaveform& waveform, int width) {
    std::vector<CWaveColumn> columns;
    if (width < 1 || waveform.frames <= 0 || waveform.bins.empty()) {
        return columns;
    }
    columns.resize(static_cast<std::size_t>(width));
    const auto binOf = [&](std::int64_t frame) {
        return std::min<std::size_t>(static_cast<std::size_t>(frame / waveform.framesPerBin),
                                     waveform.bins.size() - 1);
    };
    for (int c = 0; c < width; ++c) {
        const std::int64_t first = waveform.frames * c / width;
        const std::int64_t next = waveform.frames * (c + 1) / width;
        const std::size_t from = binOf(first);
        const std::size_t to = std::max(from, binOf(std::max(first, next - 1)));
        CWaveColumn column = waveform.bins[from];
        for (std::size_t b = from + 1; b <= to; ++b) {
            column = MergeWaveColumns(column, waveform.bins[b]);
        }
        columns[static_cast<std::size_t>(c)] = column;
    }
    return columns;
}

}  // namespace plexion
