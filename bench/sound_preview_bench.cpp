// The sounds panel's preview of 8 affected 10-minute 44.1 kHz stereo sounds
// drawn into bands of 1000 pixels (the waveform read with its stride, the
// bars painted), against a plain pass that takes the minimum and maximum of
// the same frames into an array.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "all_kinds.h"
#include "bench_runner.h"
#include "sound_band_drawing.h"
#include "sound_waveform.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr int kSounds = 8;
constexpr int kFrames = 44100 * 600;
constexpr int kBandWidth = 1000;
constexpr int kBandHeight = 100;

std::vector<std::unique_ptr<CVKT_WavMemory>>& Sounds() {
    static std::vector<std::unique_ptr<CVKT_WavMemory>> sounds = [] {
        std::vector<std::unique_ptr<CVKT_WavMemory>> list;
        for (int s = 0; s < kSounds; ++s) {
            std::vector<std::uint8_t> data(static_cast<std::size_t>(kFrames) * 4);
            auto* samples = reinterpret_cast<std::int16_t*>(data.data());
            for (std::size_t i = 0; i < static_cast<std::size_t>(kFrames) * 2; ++i) {
                samples[i] = static_cast<std::int16_t>(
                    12000 * std::sin(0.0003 * static_cast<double>(s + 1) * static_cast<double>(i)) +
                    static_cast<int>((i * 7919 + static_cast<std::size_t>(s)) % 4001) - 2000);
            }
            auto sound = std::make_unique<CVKT_WavMemory>();
            sound->SetPcm(16, 2, 44100, kFrames, std::move(data));
            list.push_back(std::move(sound));
        }
        return list;
    }();
    return sounds;
}

void BM_SoundPreview8Bands(benchmark::State& state) {
    QImage image(kBandWidth, kSounds * kBandHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        for (int s = 0; s < kSounds; ++s) {
            DrawSoundBand(painter, QRect(0, s * kBandHeight, kBandWidth, kBandHeight),
                          *Sounds()[static_cast<std::size_t>(s)], {});
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SoundPreview8Bands)->Unit(benchmark::kMillisecond);

// The waveform columns alone, without painting.
void BM_WaveColumns8Bands(benchmark::State& state) {
    for (auto _ : state) {
        for (int s = 0; s < kSounds; ++s) {
            const auto columns = PcmWaveColumns(*Sounds()[static_cast<std::size_t>(s)], kBandWidth);
            benchmark::DoNotOptimize(columns.data());
        }
    }
}
BENCHMARK(BM_WaveColumns8Bands)->Unit(benchmark::kMillisecond);

// The same frames read by a plain loop: each column's own frame and its run
// at the same stride, the lowest and highest value of each channel.
void BM_PlainMinMax8Bands(benchmark::State& state) {
    std::vector<float> extremes(static_cast<std::size_t>(kSounds) * kBandWidth * 4);
    for (auto _ : state) {
        float* out = extremes.data();
        for (int s = 0; s < kSounds; ++s) {
            const auto* samples = reinterpret_cast<const std::int16_t*>(
                Sounds()[static_cast<std::size_t>(s)]->SampleData().data());
            const double perColumn = static_cast<double>(kFrames) / kBandWidth;
            std::int64_t previous = 0;
            for (int c = 0; c < kBandWidth; ++c) {
                const auto frame = static_cast<std::int64_t>(c * perColumn);
                int low0 = samples[2 * frame];
                int low1 = samples[2 * frame + 1];
                int high0 = low0;
                int high1 = low1;
                const std::int64_t stride = WaveColumnStride(previous, frame);
                for (std::int64_t f = previous + 1; f <= frame; f += stride) {
                    low0 = std::min<int>(low0, samples[2 * f]);
                    high0 = std::max<int>(high0, samples[2 * f]);
                    low1 = std::min<int>(low1, samples[2 * f + 1]);
                    high1 = std::max<int>(high1, samples[2 * f + 1]);
                }
                *out++ = static_cast<float>(low0) / 32767.0f;
                *out++ = static_cast<float>(high0) / 32767.0f;
                *out++ = static_cast<float>(low1) / 32767.0f;
                *out++ = static_cast<float>(high1) / 32767.0f;
                previous = frame;
            }
        }
        benchmark::DoNotOptimize(extremes.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainMinMax8Bands)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plexion

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    plexion::RegisterAllResourceKinds();
    plexion::Sounds();
    return plexion::RunBenchmarks(argc, argv);
}
