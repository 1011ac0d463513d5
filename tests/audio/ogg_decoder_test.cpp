// The Ogg Vorbis stream data and the streaming decoder, checked against
// oggdec on files made by oggenc.
#include <gtest/gtest.h>

#include <cmath>

#include "audio_test_support.h"
#include "kinds_fixture.h"
#include "ogg_decoder.h"
#include "ogg_waveform.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "wav_memory.h"

namespace plexion {
namespace {

class OggFiles : public ::testing::Test {
protected:
    // An Ogg Vorbis file of a sox sine: `seconds` long, at `rate`, with
    // `channels` channels.
    std::string MakeOgg(const std::string& name, int rate, int channels,
                        const std::string& seconds) {
        const std::string wav = dir_.File(name + ".wav");
        const std::string ogg = dir_.File(name + ".ogg");
        test::MustRun({"sox", "-D", "-n", "-r", std::to_string(rate), "-c",
                       std::to_string(channels), "-b", "16", wav, "synth", seconds, "sine", "440",
                       "sine", "1000", "vol", "0.5"});
        test::MustRun({"oggenc", "-Q", "-q", "4", "-o", ogg, wav});
        return ogg;
    }
    // oggdec's decoding as 16-bit little-endian interleaved samples.
    std::vector<std::int16_t> OggdecSamples(const std::string& ogg) {
        const std::string raw = dir_.File("oggdec.raw");
        test::MustRun({"oggdec", "-Q", "-R", "-b", "16", "-e", "0", "-s", "1", "-o", raw, ogg});
        return test::Int16sOf(test::ReadFileBytes(raw));
    }
    test::CTempDir dir_;
};

// Decodes the whole stream in buffers of `frames` stereo frames.
std::vector<float> DecodeAll(const COggSoundData& data, int frames, int* calls = nullptr) {
    COggDecoderPtr decoder = data.OpenDecoder(nullptr, frames * 4, frames, 16, 2, 44100);
    EXPECT_TRUE(decoder);
    std::vector<float> all;
    if (!decoder) {
        return all;
    }
    std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
    for (int n = 0; n < 100000; ++n) {
        const bool more = data.Decode(decoder.get(), buffer, 44100, 0);
        all.insert(all.end(), buffer.begin(), buffer.begin() + decoder->lastDecodedFrames * 2);
        if (calls) {
            *calls = n + 1;
        }
        if (!more) {
            break;
        }
    }
    return all;
}

TEST_F(OggFiles, StreamInformationAndDescription) {
    const std::string ogg = MakeOgg("stereo", 44100, 2, "0.5");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    const COggStreamInfo& info = sound.Ogg().StreamInfo();
    EXPECT_EQ(info.version, 0);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100);
    EXPECT_GT(info.bitrateNominal, 0);
    EXPECT_EQ(sound.Specifications(),
              "OGG, " + std::to_string(sound.Ogg().ByteLength()) + " Bytes (2 Channels, 44100 Hz)");
    EXPECT_EQ(sound.FrameCount(), 0);
}

TEST_F(OggFiles, PayloadReadsItsStreamInformation) {
    const std::string ogg = MakeOgg("mono", 22050, 1, "0.3");
    CVKT_ResourceContainer c;
    auto* sound = c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("mono"));
    ASSERT_TRUE(sound->LoadFromFile(ogg));
    auto* pcm = c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("pcm"));
    ASSERT_TRUE(pcm->SetPcm(16, 1, 8000, 2, test::Int16Bytes({5, -5})));
    CVKT_ResourceContainer loaded;
    test::SaveAndReload(c, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* back = loaded.GetAt<CVKT_WavMemory>(0);
    EXPECT_EQ(back->StorageKind(), CVKT_WavMemory::kStorageOgg);
    EXPECT_EQ(back->Ogg().Bytes(), sound->Ogg().Bytes());
    EXPECT_EQ(back->Ogg().StreamInfo(), sound->Ogg().StreamInfo());
    EXPECT_EQ(back->Ogg().StreamInfo().channels, 1);
    EXPECT_EQ(back->Ogg().StreamInfo().rate, 22050);
    const auto* pcmBack = loaded.GetAt<CVKT_WavMemory>(1);
    EXPECT_EQ(pcmBack->SampleData(), pcm->SampleData());
    EXPECT_EQ(pcmBack->SampleRate(), 8000);
}

TEST_F(OggFiles, DecodingMatchesOggdecSampleBySample) {
    const std::string ogg = MakeOgg("stereo", 44100, 2, "1.3");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    const std::vector<std::int16_t> reference = OggdecSamples(ogg);
    for (int frames : {1323, 4096, 997}) {
        const std::vector<float> decoded = DecodeAll(sound.Ogg(), frames);
        ASSERT_EQ(decoded.size(), reference.size()) << frames;
        float worst = 0;
        for (std::size_t i = 0; i < decoded.size(); ++i) {
            const float ours = std::clamp(decoded[i], -1.0f, 32767.0f / 32768.0f);
            worst = std::max(worst, std::fabs(ours - static_cast<float>(reference[i]) / 32768.0f));
        }
        EXPECT_LT(worst, 1.5f / 32768.0f) << frames;
    }
}

TEST_F(OggFiles, OneChannelStreamGoesToBothOutputs) {
    const std::string ogg = MakeOgg("mono", 22050, 1, "0.4");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    const std::vector<std::int16_t> reference = OggdecSamples(ogg);
    const std::vector<float> decoded = DecodeAll(sound.Ogg(), 1000);
    ASSERT_EQ(decoded.size(), 2 * reference.size());
    float worst = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        EXPECT_EQ(decoded[2 * i], decoded[2 * i + 1]);
        worst = std::max(worst, std::fabs(std::clamp(decoded[2 * i], -1.0f, 32767.0f / 32768.0f) -
                                          static_cast<float>(reference[i]) / 32768.0f));
    }
    EXPECT_LT(worst, 1.5f / 32768.0f);
}

TEST_F(OggFiles, DecoderStatesZeroFillAndEndOfStream) {
    const std::string ogg = MakeOgg("stereo", 44100, 2, "0.2");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    const int frames = 1000;
    COggDecoderPtr d = sound.Ogg().OpenDecoder(nullptr, 4000, frames, 16, 2, 44100);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->readChunkSize, 2000);
    EXPECT_EQ(d->open, 1);
    EXPECT_EQ(d->decodeState, COggDecoder::kNeedsData);
    std::vector<float> buffer(2 * frames, 7.0f);
    ASSERT_TRUE(sound.Ogg().Decode(d.get(), buffer, 44100, 0));
    EXPECT_EQ(d->lastDecodedFrames, frames);
    EXPECT_EQ(d->decodeState, COggDecoder::kDrainFirst);  // the buffer was filled
    int total = frames;
    bool more = true;
    while (more) {
        std::fill(buffer.begin(), buffer.end(), 7.0f);
        more = sound.Ogg().Decode(d.get(), buffer, 44100, 0);
        total += d->lastDecodedFrames;
        if (!more) {
            EXPECT_LT(d->lastDecodedFrames, frames);
            for (std::size_t i = static_cast<std::size_t>(d->lastDecodedFrames) * 2;
                 i < buffer.size(); ++i) {
                ASSERT_EQ(buffer[i], 0.0f);  // zero fill after the end
            }
        }
    }
    EXPECT_EQ(total, 8820);  // 0.2 s at 44100 Hz
    EXPECT_EQ(d->decodeState, COggDecoder::kEndOfStream);
    // Past the end: zeros and false, every time.
    std::fill(buffer.begin(), buffer.end(), 7.0f);
    EXPECT_FALSE(sound.Ogg().Decode(d.get(), buffer, 44100, 0));
    EXPECT_EQ(d->lastDecodedFrames, 0);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0.0f), 2 * frames);
    // A decoder that is not open writes zeros and reports more to come.
    COggDecoder closed;
    closed.framesPerBuffer = 4;
    closed.channels = 2;
    std::vector<float> small(8, 3.0f);
    EXPECT_TRUE(sound.Ogg().Decode(&closed, small, 44100, 0));
    EXPECT_EQ(small, std::vector<float>(8, 0.0f));
}

TEST_F(OggFiles, SameParametersKeepTheDecoderWithoutRewinding) {
    const std::string ogg = MakeOgg("stereo", 44100, 2, "0.3");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    COggDecoderPtr d = sound.Ogg().OpenDecoder(nullptr, 2000, 500, 16, 2, 44100);
    ASSERT_TRUE(d);
    std::vector<float> buffer(1000);
    sound.Ogg().Decode(d.get(), buffer, 44100, 0);
    const COggDecoder* first = d.get();
    const std::int32_t cursor = COggSoundData::GetPosition(d.get());
    EXPECT_GT(cursor, 0);
    d = sound.Ogg().OpenDecoder(std::move(d), 2000, 500, 16, 2, 44100);
    EXPECT_EQ(d.get(), first);
    EXPECT_EQ(COggSoundData::GetPosition(d.get()), cursor);
    // Other parameters: a new decoder from the start.
    d = sound.Ogg().OpenDecoder(std::move(d), 2000, 500, 16, 2, 48000);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rate, 48000);
    EXPECT_EQ(d->decodeState, COggDecoder::kNeedsData);
    EXPECT_TRUE(COggSoundData::SetPosition(d.get(), 5));
    EXPECT_EQ(COggSoundData::GetPosition(d.get()), 5);
    EXPECT_FALSE(COggSoundData::SetPosition(nullptr, 5));
    EXPECT_EQ(COggSoundData::GetPosition(nullptr), 0);
    EXPECT_EQ(COggSoundData::CloseDecoder(std::move(d)), nullptr);
}

TEST_F(OggFiles, WaveformOfTheWholeStream) {
    const std::string ogg = MakeOgg("stereo", 44100, 2, "0.5");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    const std::vector<float> decoded = DecodeAll(sound.Ogg(), 1000);
    const std::int64_t frames = static_cast<std::int64_t>(decoded.size() / 2);
    std::atomic<bool> cancel{false};
    const std::optional<COggWaveform> waveform = DecodeOggWaveform(sound.Ogg(), cancel);
    ASSERT_TRUE(waveform);
    EXPECT_EQ(waveform->frames, frames);
    // 22 050 frames in runs of 4: at most 8192 runs.
    EXPECT_EQ(waveform->framesPerBin, 4);
    EXPECT_EQ(waveform->bins.size(), static_cast<std::size_t>((frames + 3) / 4));

    // A column spans at least its own frames and at most a run more on each side.
    const int width = 97;
    const std::vector<CWaveColumn> columns = OggWaveColumns(*waveform, width);
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(width));
    const auto span = [&](std::int64_t from, std::int64_t to, int ch) {
        std::pair<float, float> lowHigh{1.0f, -1.0f};
        for (std::int64_t f = std::max<std::int64_t>(0, from); f < std::min(frames, to); ++f) {
            const float v = std::clamp(decoded[static_cast<std::size_t>(2 * f + ch)], -1.0f, 1.0f);
            lowHigh = {std::min(lowHigh.first, v), std::max(lowHigh.second, v)};
        }
        return lowHigh;
    };
    for (int c = 0; c < width; ++c) {
        const std::int64_t first = frames * c / width;
        const std::int64_t next = frames * (c + 1) / width;
        for (int ch = 0; ch < 2; ++ch) {
            const auto inner = span(first, next, ch);
            const auto outer = span(first - 4, next + 4, ch);
            const CWaveColumn& column = columns[static_cast<std::size_t>(c)];
            EXPECT_LE(column.low[ch], inner.first) << c;
            EXPECT_GE(column.low[ch], outer.first) << c;
            EXPECT_GE(column.high[ch], inner.second) << c;
            EXPECT_LE(column.high[ch], outer.second) << c;
        }
    }

    cancel = true;
    EXPECT_FALSE(DecodeOggWaveform(sound.Ogg(), cancel));
    COggSoundData junk;
    junk.SetBytes(std::vector<std::uint8_t>(5000, 'x'));
    cancel = false;
    const std::optional<COggWaveform> none = DecodeOggWaveform(junk, cancel);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->frames, 0);
    EXPECT_TRUE(OggWaveColumns(*none, 100).empty());
}

TEST_F(OggFiles, UnreadableStreamsOpenNoDecoder) {
    COggSoundData data;
    EXPECT_EQ(data.OpenDecoder(nullptr, 100, 100, 8, 1, 44100), nullptr);  // no bytes
    data.SetBytes(std::vector<std::uint8_t>(5000, 'x'));
    EXPECT_EQ(data.OpenDecoder(nullptr, 100, 100, 8, 1, 44100), nullptr);
    data.ReadStreamInfo();
    EXPECT_EQ(data.StreamInfo(), COggStreamInfo{});
    // A read chunk too small for the first page.
    const std::string ogg = MakeOgg("stereo", 44100, 2, "0.2");
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    EXPECT_EQ(sound.Ogg().OpenDecoder(nullptr, 40, 20, 16, 2, 44100), nullptr);
    // A file cut short decodes what it holds, then ends.
    const std::string longer = MakeOgg("longer", 44100, 2, "2");
    ASSERT_TRUE(sound.LoadFromFile(longer));
    std::vector<std::uint8_t> half = sound.Ogg().Bytes();
    half.resize(half.size() * 3 / 4);
    COggSoundData cut;
    cut.SetBytes(half);
    cut.ReadStreamInfo();
    EXPECT_EQ(cut.StreamInfo().channels, 2);
    int calls = 0;
    const std::vector<float> decoded = DecodeAll(cut, 512, &calls);
    EXPECT_GT(decoded.size(), 0u);
    EXPECT_LT(decoded.size(), 2u * 88200u);
    // Garbage after valid headers ends the stream too.
    std::vector<std::uint8_t> bad = sound.Ogg().Bytes();
    for (std::size_t i = bad.size() / 2; i < bad.size(); i += 7) {
        bad[i] ^= 0x5A;
    }
    COggSoundData damaged;
    damaged.SetBytes(bad);
    DecodeAll(damaged, 512);
}

}  // namespace
}  // namespace plexion
