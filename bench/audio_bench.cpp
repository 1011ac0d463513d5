// The audio engine's two hot paths against plain baselines in the same run:
// - the mixer rendering 32 busy 16-bit PCM voices into one device buffer
//   (1323 frames, 30 ms at 44100 Hz) with conversion, against a plain loop
//   that sums the same samples with the same volume and converts them;
// - streaming Ogg Vorbis decoding through COggDecoder, buffer by buffer,
//   against oggdec decoding the same file.
// The x_realtime counters are seconds of sound made per second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "audio_mixer.h"
#include "audio_voice.h"
#include "bench_runner.h"
#include "child_process.h"
#include "ogg_decoder.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 1323;  // 30 ms: the start-up buffer length
constexpr int kVoices = 32;
constexpr int kSoundFrames = kRate * 5;

// 32 different 16-bit stereo sounds of 5 s.
std::vector<std::unique_ptr<CVKT_WavMemory>>& Sounds() {
    static std::vector<std::unique_ptr<CVKT_WavMemory>> sounds = [] {
        std::vector<std::unique_ptr<CVKT_WavMemory>> list;
        for (int v = 0; v < kVoices; ++v) {
            std::vector<std::uint8_t> data(static_cast<std::size_t>(kSoundFrames) * 4);
            auto* samples = reinterpret_cast<std::int16_t*>(data.data());
            for (int i = 0; i < kSoundFrames * 2; ++i) {
                samples[i] = static_cast<std::int16_t>(
                    8000 * std::sin(0.001 * (v + 1) * i) +
                    static_cast<int>((static_cast<std::int64_t>(i) * 7919 + v) % 2001) - 1000);
            }
            auto sound = std::make_unique<CVKT_WavMemory>();
            sound->SetPcm(16, 2, kRate, kSoundFrames, std::move(data));
            list.push_back(std::move(sound));
        }
        return list;
    }();
    return sounds;
}

void SetRealTime(benchmark::State& state, double secondsPerIteration) {
    state.counters["x_realtime"] = benchmark::Counter(
        secondsPerIteration * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Mixer32Voices(benchmark::State& state) {
    CAudioMixer mixer;
    mixer.Open(kFrames * 4, kFrames, 16, 2, kRate, 0);
    std::vector<std::unique_ptr<CAudioVoice>> voices;
    for (int v = 0; v < kVoices; ++v) {
        voices.push_back(std::make_unique<CAudioVoice>());
        mixer.Add(voices.back().get(), 0.6f, 1.0f, 0);
        voices.back()->SetItem(Sounds()[static_cast<std::size_t>(v)].get());
        voices.back()->SetLoop(true);
        voices.back()->Start();
    }
    std::vector<float> buffer(static_cast<std::size_t>(kFrames) * 2);
    for (auto _ : state) {
        mixer.Fill(buffer, kRate, 0);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    SetRealTime(state, static_cast<double>(kFrames) / kRate);
    for (auto& voice : voices) {
        voice->SetItem(nullptr);
    }
}
BENCHMARK(BM_Mixer32Voices);

// The same samples summed by a plain loop: volume, sum, clamp, 16 bits.
void BM_PlainSum32Voices(benchmark::State& state) {
    std::vector<float> sum(static_cast<std::size_t>(kFrames) * 2);
    std::vector<std::int16_t> out(sum.size());
    std::size_t position = 0;
    for (auto _ : state) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int v = 0; v < kVoices; ++v) {
            const auto* samples = reinterpret_cast<const std::int16_t*>(
                Sounds()[static_cast<std::size_t>(v)]->SampleData().data());
            const std::int16_t* from = samples + position * 2;
            for (std::size_t k = 0; k < sum.size(); ++k) {
                sum[k] += 0.6f * (static_cast<float>(from[k]) * (1.0f / 32767.0f));
            }
        }
        for (std::size_t k = 0; k < sum.size(); ++k) {
            out[k] = static_cast<std::int16_t>(std::clamp(sum[k], -1.0f, 1.0f) * 32767.0f);
        }
        position = (position + kFrames) % static_cast<std::size_t>(kSoundFrames - kFrames);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetRealTime(state, static_cast<double>(kFrames) / kRate);
}
BENCHMARK(BM_PlainSum32Voices);

// A 60 s stereo Ogg Vorbis file of tones and noise made with sox and oggenc.
const std::string& OggFile() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("plexion-audio-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        const std::string wav = (folder / "music.wav").string();
        const std::string ogg = (folder / "music.ogg").string();
        if (test::RunChildProcess({"sox", "-D", "-n", "-r", "44100", "-c", "2", "-b", "16", wav,
                                   "synth", "60", "pinknoise", "sine", "220-880", "vol", "0.4"}) !=
                0 ||
            test::RunChildProcess({"oggenc", "-Q", "-q", "5", "-o", ogg, wav}) != 0) {
            throw std::runtime_error("cannot make the Ogg file (sox and oggenc are needed)");
        }
        std::filesystem::remove(wav);
        return ogg;
    }();
    return path;
}

double OggSeconds() {
    return 60.0;
}

void BM_OggDecoderStream(benchmark::State& state) {
    CVKT_WavMemory sound;
    if (!sound.LoadFromFile(OggFile())) {
        state.SkipWithError("cannot load the Ogg file");
        return;
    }
    std::vector<float> buffer(static_cast<std::size_t>(kFrames) * 2);
    for (auto _ : state) {
        COggDecoderPtr decoder =
            sound.Ogg().OpenDecoder(nullptr, kFrames * 4, kFrames, 16, 2, kRate);
        while (sound.Ogg().Decode(decoder.get(), buffer, kRate, 0)) {
            benchmark::DoNotOptimize(buffer.data());
        }
        decoder = COggSoundData::CloseDecoder(std::move(decoder));
    }
    SetRealTime(state, OggSeconds());
}
BENCHMARK(BM_OggDecoderStream)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Oggdec(benchmark::State& state) {
    const std::string& ogg = OggFile();
    for (auto _ : state) {
        if (test::RunChildProcess({"oggdec", "-Q", "-o", "/dev/null", ogg}) != 0) {
            state.SkipWithError("oggdec failed");
            return;
        }
    }
    SetRealTime(state, OggSeconds());
}
BENCHMARK(BM_Oggdec)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace plexion

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    const int result = plexion::RunBenchmarks(argc, argv);
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(plexion::OggFile()).parent_path(), error);
    return result;
}
