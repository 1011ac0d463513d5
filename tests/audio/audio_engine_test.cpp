// The audio engine on a device that plays nothing: conversion,
// mixing, voices, looping, the output ring, voice stealing, the settings
// rules and the device list; and voices never keeping a sound that is gone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "audio_system.h"
#include "audio_test_support.h"
#include "ogg_decoder.h"
#include "plexion_doc_core.h"
#include "resource_container.h"
#include "sound_play_position.h"
#include "temp_dir.h"

namespace plexion {
namespace {

// A source that writes one value everywhere (or contributes nothing) and
// remembers how it was called.
class CConstantSource : public CAudioSource {
public:
    explicit CConstantSource(float value, bool contributes = true)
        : value_(value), contributes_(contributes) {}
    bool Render(std::span<float> out, std::int32_t rate, std::int32_t position) override {
        lastRate = rate;
        lastPosition = position;
        ++renders;
        if (!contributes_) {
            return false;
        }
        const std::size_t n = static_cast<std::size_t>(framesPerBuffer_) * channels_;
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(std::min(n, out.size())),
                  value_);
        return true;
    }
    bool Stop() override {
        ++stops;
        return true;
    }
    void Set(float value, bool contributes = true) {
        value_ = value;
        contributes_ = contributes;
    }
    std::int32_t lastRate = 0;
    std::int32_t lastPosition = -1;
    int renders = 0;
    int stops = 0;

private:
    float value_;
    bool contributes_;
};

std::vector<std::int16_t> AsInt16(const std::vector<float>& buffer, std::size_t count) {
    std::vector<std::int16_t> v(count);
    std::memcpy(v.data(), buffer.data(), count * 2);
    return v;
}

TEST(Conversion, ClampThenTruncate) {
    std::vector<float> b = {1.2f, 0.99999f, -0.5f, -1.5f,
                            1.0f, -1.0f,    0.0f,  std::numeric_limits<float>::quiet_NaN()};
    ASSERT_TRUE(ConvertToDeviceFormat(b, b.size(), 16));
    EXPECT_EQ(AsInt16(b, 8),
              (std::vector<std::int16_t>{32767, 32766, -16383, -32767, 32767, -32767, 0, 0}));
    std::vector<float> e = {0.0f, 1.0f, -1.0f, 0.5f, -0.5f, 2.0f};
    ASSERT_TRUE(ConvertToDeviceFormat(e, e.size(), 8));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(e.data());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 6),
              (std::vector<std::uint8_t>{128, 255, 1, 191, 65, 255}));
    std::vector<float> x = {0.5f};
    EXPECT_FALSE(ConvertToDeviceFormat(x, 1, 24));
}

TEST(Mixer, VolumesFirstContributorAndMaster) {
    CAudioMixer mixer;
    mixer.Open(16, 4, 16, 2, 44100, 0);
    CConstantSource silent(0.9f, false);
    CConstantSource a(1.0f);
    CConstantSource b(1.0f);
    ASSERT_TRUE(mixer.Add(&silent, 0.6f, 1.0f, 7));
    ASSERT_TRUE(mixer.Add(&a, 0.6f, 1.0f, 0));
    ASSERT_TRUE(mixer.Add(&b, 0.6f, 1.0f, 0));
    EXPECT_EQ(mixer.Count(), 3);
    EXPECT_EQ(silent.FramesPerBuffer(), 4);  // opened with the mixer's geometry
    EXPECT_EQ(silent.GetPosition(), 7);
    std::vector<float> out(8, 5.0f);  // stale values must not leak in
    ASSERT_TRUE(mixer.Render(out, 44100, 3));
    for (float v : out) {
        EXPECT_FLOAT_EQ(v, 1.2f);
    }
    EXPECT_EQ(mixer.GetPosition(), 3);
    // Two full-scale voices clip to 32767.
    ASSERT_TRUE(mixer.Fill(out, 44100, 0));
    EXPECT_EQ(AsInt16(out, 8), std::vector<std::int16_t>(8, 32767));
    // Master volume.
    mixer.SetMasterVolume(0.5f);
    b.Set(0.0f, false);
    ASSERT_TRUE(mixer.Render(out, 44100, 0));
    EXPECT_FLOAT_EQ(out[0], 0.3f);
    // Nothing contributes: silence, and still true.
    a.Set(0.0f, false);
    std::fill(out.begin(), out.end(), 5.0f);
    ASSERT_TRUE(mixer.Render(out, 44100, 0));
    EXPECT_EQ(out, std::vector<float>(8, 0.0f));
}

TEST(Mixer, SpeedFactorRoundsTheRate) {
    CAudioMixer mixer;
    mixer.Open(16, 4, 16, 2, 44100, 0);
    CConstantSource half(0.1f);
    CConstantSource near(0.1f);
    mixer.Add(&half, 1.0f, 0.5f, 0);
    mixer.Add(&near, 1.0f, 1.00001f, 0);
    std::vector<float> out(8);
    mixer.Render(out, 44100, 9);
    EXPECT_EQ(half.lastRate, 22050);
    EXPECT_EQ(near.lastRate, 44100);
    EXPECT_EQ(half.lastPosition, 9);
}

TEST(Mixer, ListOperations) {
    CAudioMixer mixer;
    mixer.Open(16, 4, 16, 2, 44100, 0);
    CConstantSource a(0.1f), b(0.2f), c(0.3f);
    mixer.Add(&a, 1.0f, 1.0f, 0);
    mixer.Add(&b, 1.0f, 1.0f, 0);
    mixer.Add(&c, 1.0f, 1.0f, 0);
    EXPECT_FALSE(mixer.RemoveAt(3));
    EXPECT_FALSE(mixer.RemoveAt(-1));
    EXPECT_TRUE(mixer.RemoveAt(0));
    EXPECT_EQ(a.stops, 1);
    EXPECT_EQ(mixer.SourceAt(0), &b);
    EXPECT_TRUE(mixer.RemoveSource(&c));
    EXPECT_FALSE(mixer.RemoveSource(&c));
    EXPECT_EQ(mixer.Count(), 1);
    EXPECT_TRUE(mixer.RemoveAll());
    EXPECT_EQ(mixer.Count(), 0);
    EXPECT_EQ(b.stops, 1);
    EXPECT_TRUE(mixer.RemoveAll());
    EXPECT_FALSE(mixer.Add(nullptr, 1.0f, 1.0f, 0));
}

// A voice opened for `frames` stereo frames at 44100 Hz, playing `sound`.
void Ready(CAudioVoice& voice, CVKT_WavMemory& sound, int frames, bool loop = false) {
    voice.Open(frames * 4, frames, 16, 2, 44100, 0);
    voice.SetItem(&sound);
    voice.SetLoop(loop);
    ASSERT_TRUE(voice.Start());
}

std::vector<float> Render(CAudioVoice& voice, int frames, bool* result = nullptr,
                          std::int32_t rate = 44100) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2, 9.0f);
    const bool r = voice.Render(out, rate, 0);
    if (result) {
        *result = r;
    }
    return out;
}

TEST(Voice, MonoSixteenBitGoesToBothChannels) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(16, 1, 44100, 1, test::Int16Bytes({16384})));
    CAudioVoice voice;
    Ready(voice, sound, 1);
    const auto out = Render(voice, 1);
    EXPECT_FLOAT_EQ(out[0], 0.50001526f);
    EXPECT_FLOAT_EQ(out[1], 0.50001526f);
}

TEST(Voice, EightAndThirtyTwoBitSamples) {
    CVKT_WavMemory eight;
    ASSERT_TRUE(eight.SetPcm(8, 2, 44100, 2, {128, 255, 1, 0}));
    CAudioVoice voice;
    Ready(voice, eight, 2);
    auto out = Render(voice, 2);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 127 * 0.007874016f);
    EXPECT_FLOAT_EQ(out[2], -127 * 0.007874016f);
    EXPECT_FLOAT_EQ(out[3], -128 * 0.007874016f);
    CVKT_WavMemory floats;
    ASSERT_TRUE(floats.SetPcm(32, 2, 44100, 1, test::FloatBytes({0.25f, -2.0f})));
    Ready(voice, floats, 1);
    out = Render(voice, 1);
    EXPECT_EQ(out, (std::vector<float>{0.25f, -2.0f}));
}

TEST(Voice, HalfRateSoundPlaysEachFrameTwice) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(16, 1, 22050, 3, test::Int16Bytes({100, 200, 300})));
    CAudioVoice voice;
    Ready(voice, sound, 8);
    bool result = false;
    const auto out = Render(voice, 8, &result);
    EXPECT_TRUE(result);
    const float k = 3.0518509e-05f;
    const std::vector<float> expected = {100 * k, 100 * k, 100 * k, 100 * k, 200 * k, 200 * k,
                                         200 * k, 200 * k, 300 * k, 300 * k, 300 * k, 300 * k,
                                         0,       0,       0,       0};
    ASSERT_EQ(out.size(), expected.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
    }
    EXPECT_FALSE(voice.IsPlaying());
}

TEST(Voice, LoopOfThreeFramesOverEightFrameBuffers) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(32, 1, 44100, 3, test::FloatBytes({0.0f, 1.0f, 2.0f})));
    CAudioVoice voice;
    Ready(voice, sound, 8, true);
    auto out = Render(voice, 8);
    std::vector<float> left;
    for (std::size_t i = 0; i < out.size(); i += 2) {
        left.push_back(out[i]);
    }
    EXPECT_EQ(left, (std::vector<float>{0, 1, 2, 0, 1, 2, 0, 1}));
    out = Render(voice, 8);
    EXPECT_EQ(out[0], 2.0f);
    EXPECT_EQ(out[2], 0.0f);
    EXPECT_TRUE(voice.IsPlaying());
}

TEST(Voice, SoundEndingInsideABuffer) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(32, 2, 44100, 3, test::FloatBytes({1, 1, 2, 2, 3, 3})));
    CAudioVoice voice;
    Ready(voice, sound, 5);
    bool result = false;
    auto out = Render(voice, 5, &result);
    EXPECT_TRUE(result);
    EXPECT_EQ(out, (std::vector<float>{1, 1, 2, 2, 3, 3, 0, 0, 0, 0}));
    EXPECT_EQ(voice.LastSoundFrames(), 3);
    EXPECT_FALSE(voice.IsPlaying());
    out = Render(voice, 5, &result);
    EXPECT_FALSE(result);  // contributes nothing from the next buffer on
}

TEST(Voice, UnplayableFormatsRenderSilenceAndStayBusy) {
    CVKT_WavMemory wide;
    ASSERT_TRUE(wide.SetPcm(24, 1, 44100, 2, {1, 2, 3, 4, 5, 6}));
    CVKT_WavMemory three;
    ASSERT_TRUE(three.SetPcm(16, 3, 44100, 1, {1, 2, 3, 4, 5, 6}));
    for (CVKT_WavMemory* sound : {&wide, &three}) {
        CAudioVoice voice;
        Ready(voice, *sound, 4);
        for (int i = 0; i < 3; ++i) {
            bool result = false;
            EXPECT_EQ(Render(voice, 4, &result), std::vector<float>(8, 0.0f));
            EXPECT_TRUE(result);
            EXPECT_TRUE(voice.IsPlaying());
        }
    }
}

TEST(Voice, StartAndSetItem) {
    CAudioVoice voice;
    voice.Open(16, 4, 16, 2, 44100, 0);
    EXPECT_TRUE(voice.IsPlaying());  // open sets the flag
    EXPECT_FALSE(voice.Start());     // no item
    bool result = true;
    Render(voice, 4, &result);
    EXPECT_FALSE(result);
    CVKT_WavMemory empty;
    voice.SetItem(&empty);
    EXPECT_FALSE(voice.Start());
    Render(voice, 4, &result);
    EXPECT_FALSE(result);  // an empty PCM sound contributes nothing
    EXPECT_EQ(voice.GetItem(), &empty);
    voice.SetItem(nullptr);
    EXPECT_TRUE(voice.IsPlaying());  // set item leaves the flag alone
}

class OggVoice : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string wav = dir_.File("s.wav");
        ogg_ = dir_.File("s.ogg");
        ASSERT_NO_FATAL_FAILURE(
            test::MustRun({"sox", "-D", "-n", "-r", "22050", "-c", "1", "-b", "16", wav, "synth",
                           "0.3", "sine", "500", "vol", "0.5"}));
        ASSERT_NO_FATAL_FAILURE(test::MustRun({"oggenc", "-Q", "-o", ogg_, wav}));
        ASSERT_TRUE(sound_.LoadFromFile(ogg_));
    }
    // The stream decoded straight, one buffer of frames at a time.
    std::vector<float> DecodedStream(int frames) {
        COggDecoderPtr d = sound_.Ogg().OpenDecoder(nullptr, frames * 4, frames, 16, 2, 44100);
        EXPECT_TRUE(d);
        std::vector<float> stream;
        std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
        for (bool more = d != nullptr; more;) {
            more = sound_.Ogg().Decode(d.get(), buffer, 44100, 0);
            stream.insert(stream.end(), buffer.begin(), buffer.begin() + d->lastDecodedFrames * 2);
        }
        return stream;
    }
    test::CTempDir dir_;
    std::string ogg_;
    CVKT_WavMemory sound_;
};

TEST_F(OggVoice, PlaysAtItsOwnRateOnBothChannels) {
    const int frames = 1323;
    const std::vector<float> stream = DecodedStream(frames);
    const std::size_t streamFrames = stream.size() / 2;
    ASSERT_EQ(streamFrames, 6615u);

    CAudioVoice voice;
    Ready(voice, sound_, frames);
    EXPECT_TRUE(voice.HasDecoder());
    std::vector<float> played;
    for (int n = 0; n < 100 && voice.IsPlaying(); ++n) {
        bool result = false;
        auto out = Render(voice, frames, &result);
        EXPECT_TRUE(result);
        played.insert(played.end(), out.begin(), out.end());
    }
    EXPECT_FALSE(voice.IsPlaying());
    // 22050 Hz on a 44100 Hz output: every stream frame twice, mono on both.
    ASSERT_GE(played.size(), 4 * streamFrames);
    for (std::size_t j = 0; j < 2 * streamFrames; ++j) {
        ASSERT_EQ(played[2 * j], stream[2 * (j / 2)]) << j;
        ASSERT_EQ(played[2 * j + 1], played[2 * j]) << j;
    }
    for (std::size_t i = 4 * streamFrames; i < played.size(); ++i) {
        ASSERT_EQ(played[i], 0.0f);
    }
}

TEST_F(OggVoice, LoopStartsTheStreamAgainWithoutAGap) {
    const int frames = 1000;
    const std::vector<float> stream = DecodedStream(frames);
    const std::size_t streamFrames = stream.size() / 2;
    ASSERT_EQ(streamFrames, 6615u);
    CAudioVoice voice;
    Ready(voice, sound_, frames, true);
    // Two and a half passes: 22050 Hz on 44100 Hz plays each stream frame twice.
    const std::size_t outputFrames = 5 * streamFrames;
    std::vector<float> played;
    while (played.size() < 2 * outputFrames) {
        const auto out = Render(voice, frames);
        played.insert(played.end(), out.begin(), out.end());
        ASSERT_TRUE(voice.IsPlaying());
    }
    for (std::size_t j = 0; j < outputFrames; ++j) {
        ASSERT_EQ(played[2 * j], stream[2 * ((j / 2) % streamFrames)]) << j;
    }
    EXPECT_LT(voice.ReadPosition(), static_cast<double>(streamFrames));

    // On the engine: still looping well past its end, silent once stopped.
    CNullAudioDevice device;
    CAudioSystem audio(device);
    audio.SetWaiter(nullptr);
    audio.ApplyAudioSettings();
    CAudioVoice* engineVoice = audio.PlaySound(&sound_);
    ASSERT_TRUE(engineVoice);
    engineVoice->SetLoop(true);
    for (int i = 0; i < 40; ++i) {  // 1.2 s of a 0.3 s sound
        device.CompleteOne();
    }
    EXPECT_EQ(audio.FindSoundVoice(&sound_), engineVoice);
    EXPECT_TRUE(engineVoice->IsPlaying());
    EXPECT_NE(test::Int16sOf(device.Front()->bytes), std::vector<std::int16_t>(2646, 0));
    audio.StopSound(&sound_);
    EXPECT_EQ(audio.FindSoundVoice(&sound_), nullptr);
    for (int i = 0; i < 4; ++i) {  // the buffers queued before the stop
        device.CompleteOne();
    }
    EXPECT_EQ(test::Int16sOf(device.Front()->bytes), std::vector<std::int16_t>(2646, 0));
    audio.ShutDownAudio();
}

TEST_F(OggVoice, UnreadableStreamIsSilentAndBusy) {
    CVKT_WavMemory junk;
    junk.SetOgg(std::vector<std::uint8_t>(4000, 'j'), {});
    CAudioVoice voice;
    voice.Open(64, 16, 16, 2, 44100, 0);
    voice.SetItem(&junk);
    EXPECT_TRUE(voice.Start());
    EXPECT_FALSE(voice.HasDecoder());
    bool result = false;
    EXPECT_EQ(Render(voice, 16, &result), std::vector<float>(32, 0.0f));
    EXPECT_TRUE(result);
    EXPECT_TRUE(voice.IsPlaying());
}

TEST(Output, BufferGeometry) {
    CNullAudioDevice device;
    CAudioOutput output(device);
    EXPECT_EQ(output.FramesPerBuffer(), 3000);
    EXPECT_EQ(output.BytesPerBuffer(), 12000);
    output.Configure(-1, 4, 30, 16, 44100, 2);
    EXPECT_EQ(output.FramesPerBuffer(), 1323);
    EXPECT_EQ(output.BytesPerBuffer(), 5292);
    output.Configure(-1, 4, 45, 16, 22050, 2);
    EXPECT_EQ(output.FramesPerBuffer(), 992);
    EXPECT_EQ(output.BytesPerBuffer(), 3968);
    output.Configure(-1, 2, 10, 8, 48000, 2);
    EXPECT_EQ(output.BytesPerBuffer(), 960);
}

TEST(Output, RingOfBuffers) {
    CNullAudioDevice device;
    CAudioOutput output(device);
    CConstantSource source(0.5f);
    output.Configure(-1, 3, 10, 16, 8000, 2);  // 80 frames, 320 bytes
    EXPECT_FALSE(output.Open());               // no source
    output.SetSource(&source);
    ASSERT_TRUE(output.Open());
    EXPECT_TRUE(output.IsOpen());
    EXPECT_EQ(source.BytesPerBuffer(), 320);
    EXPECT_EQ(source.FramesPerBuffer(), 80);
    EXPECT_EQ(device.Format().rate, 8000);
    EXPECT_EQ(device.QueuedCount(), 3u);
    EXPECT_EQ(device.Front()->bytes.size(), 320u);
    EXPECT_EQ(test::Int16sOf(device.Front()->bytes), std::vector<std::int16_t>(160, 16383));
    EXPECT_EQ(output.OutputPosition(), 240);
    EXPECT_EQ(source.lastPosition, 160);
    source.Set(-0.25f);
    ASSERT_TRUE(device.CompleteOne());
    EXPECT_EQ(device.QueuedCount(), 3u);
    EXPECT_EQ(output.OutputPosition(), 320);
    EXPECT_EQ(source.lastPosition, 240);
    device.CompleteOne();
    device.CompleteOne();
    EXPECT_EQ(test::Int16sOf(device.Front()->bytes), std::vector<std::int16_t>(160, -8191));
    // A failing fill closes the engine.
    source.Set(0.0f, false);
    device.CompleteOne();
    EXPECT_FALSE(output.IsOpen());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(source.stops, 1);
}

TEST(Output, DeviceRefusals) {
    CNullAudioDevice device;
    CAudioOutput output(device);
    CConstantSource source(0.5f);
    output.SetSource(&source);
    device.refuseOpen = true;
    EXPECT_FALSE(output.Open());
    device.refuseOpen = false;
    device.refuseQueue = true;
    EXPECT_FALSE(output.Open());
    EXPECT_FALSE(device.IsOpen());
    device.refuseQueue = false;
    output.Configure(-1, 4, 30, 24, 44100, 2);  // a format the conversion cannot make
    output.SetSource(&source);
    EXPECT_FALSE(output.Open());
    output.Configure(-1, 4, 30, 16, 44100, 2);
    ASSERT_TRUE(output.Open());
    EXPECT_TRUE(output.Pause());
    EXPECT_TRUE(device.IsPaused());
    EXPECT_TRUE(output.Resume());
    EXPECT_FALSE(device.IsPaused());
    EXPECT_TRUE(output.SetPosition(77));
    EXPECT_EQ(source.GetPosition(), 77);
    EXPECT_TRUE(output.Close());
    EXPECT_FALSE(output.IsOpen());
}

class System : public ::testing::Test {
protected:
    void SetUp() override {
        audio_.SetWaiter(nullptr);
        for (int i = 0; i < 40; ++i) {
            auto sound = std::make_unique<CVKT_WavMemory>();
            ASSERT_TRUE(sound->SetPcm(16, 1, 44100, 100000, std::vector<std::uint8_t>(200000, 1)));
            sounds_.push_back(std::move(sound));
        }
    }
    CNullAudioDevice device_;
    CAudioSystem audio_{device_};
    std::vector<std::unique_ptr<CVKT_WavMemory>> sounds_;
};

TEST_F(System, ApplyAudioSettings) {
    const CAudioSettings& s = audio_.Settings();
    EXPECT_EQ(s.deviceId, -1);
    EXPECT_EQ(s.bufferCount, 4);
    EXPECT_EQ(s.bufferLengthMs, 30);
    EXPECT_EQ(s.bitsPerSample, 16);
    EXPECT_EQ(s.rate, 44100);
    EXPECT_EQ(s.channels, 2);
    int waited = 0;
    audio_.SetWaiter([&](int ms) {
        waited = ms;
        EXPECT_TRUE(audio_.Output().IsOpen());
    });
    audio_.ApplyAudioSettings();
    EXPECT_EQ(waited, 50);
    EXPECT_EQ(audio_.VoiceCount(), 32);
    EXPECT_EQ(audio_.Mixer().Count(), 32);
    EXPECT_FLOAT_EQ(audio_.Mixer().VolumeAt(31), 0.6f);
    EXPECT_EQ(device_.OpenCount(), 1);
    EXPECT_FALSE(audio_.Output().IsOpen());
    for (int i = 0; i < 32; ++i) {
        EXPECT_TRUE(audio_.Voice(i)->IsPlaying());  // opened by the mixer
        EXPECT_EQ(audio_.Voice(i)->FramesPerBuffer(), 1323);
    }
    audio_.ApplyAudioSettings();
    EXPECT_EQ(audio_.Mixer().Count(), 32);
}

TEST_F(System, NoDeviceNoVoice) {
    audio_.ApplyAudioSettings();
    device_.refuseOpen = true;
    EXPECT_EQ(audio_.PlaySound(sounds_[0].get()), nullptr);
}

TEST_F(System, VoiceStealingAndTheFirstIdleVoice) {
    audio_.ApplyAudioSettings();
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(audio_.PlaySound(sounds_[static_cast<std::size_t>(i)].get()), audio_.Voice(i));
    }
    EXPECT_EQ(audio_.NextVoiceIndex(), 0);
    // The 33rd play replaces the sound of the voice at the rotating index.
    CAudioVoice* stolen = audio_.PlaySound(sounds_[32].get());
    EXPECT_EQ(stolen, audio_.Voice(0));
    EXPECT_EQ(stolen->GetItem(), sounds_[32].get());
    EXPECT_EQ(audio_.FindSoundVoice(sounds_[0].get()), nullptr);
    EXPECT_EQ(audio_.NextVoiceIndex(), 1);
    // An idle voice is taken first; the index moves on all the same.
    CVKT_WavMemory shortSound;
    ASSERT_TRUE(shortSound.SetPcm(16, 1, 44100, 1, test::Int16Bytes({1})));
    CAudioVoice* v5 = audio_.Voice(5);
    v5->SetItem(&shortSound);
    v5->Start();
    std::vector<float> out(1323 * 2);
    v5->Render(out, 44100, 0);
    ASSERT_FALSE(v5->IsPlaying());
    EXPECT_EQ(audio_.PlaySound(sounds_[33].get()), v5);
    EXPECT_EQ(audio_.NextVoiceIndex(), 2);
    audio_.DetachSound(&shortSound);
}

TEST_F(System, StopSoundStopAllAndShutDown) {
    audio_.ApplyAudioSettings();
    CAudioVoice* a = audio_.PlaySound(sounds_[0].get());
    CAudioVoice* b = audio_.PlaySound(sounds_[0].get());
    CAudioVoice* c = audio_.PlaySound(sounds_[1].get());
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(audio_.FindSoundVoice(sounds_[0].get()), a);
    audio_.StopSound(sounds_[0].get());
    EXPECT_EQ(a->GetItem(), nullptr);
    EXPECT_EQ(b->GetItem(), nullptr);
    EXPECT_TRUE(a->IsPlaying());  // detached from the item, the voice stays busy
    EXPECT_EQ(c->GetItem(), sounds_[1].get());
    EXPECT_TRUE(audio_.Output().IsOpen());
    EXPECT_TRUE(audio_.StopAllSounds());
    EXPECT_FALSE(audio_.Output().IsOpen());
    EXPECT_EQ(audio_.NextVoiceIndex(), 0);
    EXPECT_EQ(c->GetItem(), nullptr);
    audio_.ShutDownAudio();
    EXPECT_EQ(audio_.Mixer().Count(), 0);
}

TEST_F(System, WholeEngineOutput) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(16, 2, 44100, 2, test::Int16Bytes({32767, -32767, 16384, 0})));
    audio_.ApplyAudioSettings();
    CAudioVoice* voice = audio_.PlaySound(&sound);
    ASSERT_TRUE(voice);
    voice->SetLoop(false);
    // The four buffers queued at open were mixed before the play.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(test::Int16sOf(device_.Front()->bytes), std::vector<std::int16_t>(2646, 0));
        device_.CompleteOne();
    }
    const auto samples = test::Int16sOf(device_.Front()->bytes);
    EXPECT_EQ(samples[0], 19660);  // trunc(0.6 × 1.0 × 32767)
    EXPECT_EQ(samples[1], -19660);
    EXPECT_EQ(samples[2], 9830);  // trunc(0.6 × 0.50001526 × 32767)
    EXPECT_EQ(samples[3], 0);
    EXPECT_EQ(samples[4], 0);
    EXPECT_FALSE(voice->IsPlaying());
    audio_.DetachSound(&sound);
}

TEST_F(System, HeardPositionTrailsTheQueuedBuffers) {
    // Four buffers of 1323 frames are queued ahead of the device.
    struct Case {
        std::int32_t rate;
        std::int32_t frames;
        bool loop;
        int buffersPlayed;
        double heard;
    };
    for (const Case& c : {Case{44100, 100000, false, 3, 0.0},  // not heard yet
                          Case{44100, 100000, false, 5, 1323.0},
                          Case{22050, 100000, false, 5, 661.5},
                          Case{44100, 1000, true, 5, 323.0},  // 1323 frames into a loop of 1000
                          Case{44100, 1000, false, 5, 0.0}})  // ended: no position
    {
        CVKT_WavMemory sound;
        ASSERT_TRUE(sound.SetPcm(16, 1, c.rate, c.frames,
                                 std::vector<std::uint8_t>(static_cast<std::size_t>(c.frames) * 2)));
        audio_.ApplyAudioSettings();
        EXPECT_TRUE(HeardSoundFrames(audio_, sound, c.frames).empty());
        CAudioVoice* voice = audio_.PlaySound(&sound);
        ASSERT_TRUE(voice);
        voice->SetLoop(c.loop);
        for (int i = 0; i < c.buffersPlayed; ++i) {
            device_.CompleteOne();
        }
        const std::vector<double> heard = HeardSoundFrames(audio_, sound, c.frames);
        if (!c.loop && c.frames < 1323 * c.buffersPlayed) {
            EXPECT_TRUE(heard.empty());
        } else {
            ASSERT_EQ(heard.size(), 1u) << c.frames;
            EXPECT_DOUBLE_EQ(heard[0], c.heard) << c.frames << " " << c.buffersPlayed;
        }
        EXPECT_TRUE(HeardSoundFrames(audio_, sound, 0).empty());
        audio_.DetachSound(&sound);
    }
}

// ---- voices never keep a sound that is gone ----

TEST_F(System, DetachSoundLetsGoOfEndedVoicesToo) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(16, 1, 44100, 1, test::Int16Bytes({1})));
    audio_.ApplyAudioSettings();
    CAudioVoice* voice = audio_.PlaySound(&sound);
    device_.CompleteOne();
    device_.CompleteOne();
    device_.CompleteOne();
    device_.CompleteOne();
    ASSERT_FALSE(voice->IsPlaying());  // it ended by itself...
    audio_.StopSound(&sound);
    EXPECT_EQ(voice->GetItem(), &sound);  // ...so StopSound leaves it
    EXPECT_EQ(audio_.DetachSound(&sound), 1);
    EXPECT_EQ(voice->GetItem(), nullptr);
    EXPECT_FALSE(voice->IsPlaying());
    EXPECT_EQ(audio_.FindSoundVoice(&sound), nullptr);
}

TEST_F(System, DeletedReloadedOrClosedSoundsLeaveTheVoices) {
    audio_.ApplyAudioSettings();
    std::vector<float> out(1323 * 2);
    {
        // Deleted from its document while playing.
        CVKT_ResourceContainer doc;
        auto* sound = doc.GetAt<CVKT_WavMemory>(doc.New<CVKT_WavMemory>("s"));
        ASSERT_TRUE(sound->SetPcm(16, 1, 44100, 100000, std::vector<std::uint8_t>(200000, 3)));
        CAudioVoice* voice = audio_.PlaySound(sound);
        ASSERT_TRUE(voice);
        ASSERT_EQ(doc.Delete<CVKT_WavMemory>(0), 1);
        EXPECT_EQ(voice->GetItem(), nullptr);
        EXPECT_FALSE(voice->Render(out, 44100, 0));
        // Its document closed while a voice still plays another sound.
        auto* other = doc.GetAt<CVKT_WavMemory>(doc.New<CVKT_WavMemory>("o"));
        ASSERT_TRUE(other->SetPcm(16, 1, 44100, 100000, std::vector<std::uint8_t>(200000, 3)));
        CAudioVoice* second = audio_.PlaySound(other);
        ASSERT_TRUE(second);
        doc.Clear();
        EXPECT_EQ(second->GetItem(), nullptr);
    }
    // Loaded into while playing (an Ogg sound's decoder must go too).
    test::CTempDir dir;
    const std::string wav = dir.File("n.wav");
    const std::string ogg = dir.File("n.ogg");
    ASSERT_NO_FATAL_FAILURE(test::MustRun(
        {"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "0.5", "sine", "300"}));
    ASSERT_NO_FATAL_FAILURE(test::MustRun({"oggenc", "-Q", "-o", ogg, wav}));
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(ogg));
    CAudioVoice* voice = audio_.PlaySound(&sound);
    ASSERT_TRUE(voice && voice->HasDecoder());
    device_.CompleteOne();
    ASSERT_TRUE(sound.LoadFromFile(wav));
    EXPECT_EQ(voice->GetItem(), nullptr);
    EXPECT_FALSE(voice->HasDecoder());
    // The engine goes on without it.
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(device_.CompleteOne());
    }
    EXPECT_TRUE(audio_.Output().IsOpen());
    // A sound destroyed before the audio system ends, and an audio system
    // ended before its sounds: neither leaves anything dangling.
    auto early = std::make_unique<CVKT_WavMemory>();
    ASSERT_TRUE(early->SetPcm(16, 1, 44100, 10, std::vector<std::uint8_t>(20, 0)));
    {
        CNullAudioDevice device;
        CAudioSystem shortLived(device);
        shortLived.SetWaiter(nullptr);
        shortLived.ApplyAudioSettings();
        ASSERT_TRUE(shortLived.PlaySound(early.get()));
    }
    early.reset();
}

TEST_F(System, UndoingOrRedoingTheLoadOfAPlayingSoundDetachesItsVoice) {
    audio_.ApplyAudioSettings();
    CPlexionDocCore document;
    std::vector<std::unique_ptr<CEditStep>> steps;
    document.SetStepSink([&steps](std::unique_ptr<CEditStep> step) {
        steps.push_back(std::move(step));
    });
    const auto load = [&](std::int32_t frames, std::uint8_t value) {
        return document.Edit("Load Sound", [&](CVKT_ResourceContainer& c) {
            if (c.Count<CVKT_WavMemory>() == 0) {
                c.New<CVKT_WavMemory>("s");
            }
            return c.GetAt<CVKT_WavMemory>(0)->SetPcm(
                16, 1, 44100, frames,
                std::vector<std::uint8_t>(static_cast<std::size_t>(frames) * 2, value));
        });
    };
    ASSERT_TRUE(load(100000, 3));
    ASSERT_TRUE(load(50000, 7));
    ASSERT_EQ(steps.size(), 2u);
    const CVKT_WavMemory* sound = document.Resources().GetAt<CVKT_WavMemory>(0);
    for (const bool undo : {true, false}) {
        CAudioVoice* voice = audio_.PlaySound(sound);
        ASSERT_TRUE(voice);
        ASSERT_TRUE(device_.CompleteOne());
        if (undo) {
            document.Undo(*steps[1]);
        } else {
            document.Redo(*steps[1]);
        }
        EXPECT_EQ(voice->GetItem(), nullptr) << (undo ? "undo" : "redo");
        // The engine mixes on without touching the samples that went.
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(device_.CompleteOne());
        }
        EXPECT_EQ(document.Resources().GetAt<CVKT_WavMemory>(0), sound) << "the same item";
        EXPECT_EQ(sound->FrameCount(), undo ? 100000 : 50000);
    }
}

// ---- the Audio Settings dialog's rules and the device list ----

TEST(SettingsRules, NumberFields) {
    using namespace audio_settings_rules;
    EXPECT_EQ(BufferCountFromText("0", 4), 4);
    EXPECT_EQ(BufferCountFromText("33", 4), 4);
    EXPECT_EQ(BufferCountFromText("1", 4), 1);
    EXPECT_EQ(BufferCountFromText("32", 4), 32);
    EXPECT_EQ(BufferCountFromText(" 12abc", 4), 12);
    EXPECT_EQ(BufferCountFromText("", 4), 4);
    EXPECT_EQ(BufferCountFromText("x", 4), 4);
    EXPECT_EQ(BufferCountFromText("-3", 4), 4);
    EXPECT_EQ(BufferCountFromText("99999999999", 4), 4);
    EXPECT_EQ(BufferLengthFromText("501", 30), 30);
    EXPECT_EQ(BufferLengthFromText("500", 30), 500);
    EXPECT_EQ(BufferLengthFromText("0", 30), 30);
    EXPECT_EQ(BufferLengthFromText("45", 30), 45);
    EXPECT_EQ(LatencyText(4, 30), "120 [ms] = 4 * 30 [ms]");
    EXPECT_EQ(RateButton(22050), 0);
    EXPECT_EQ(RateButton(44100), 1);
    EXPECT_EQ(RateButton(48000), 2);
    EXPECT_EQ(RateButton(96000), -1);
}

TEST(DeviceList, WaveMapperThenTheDevices) {
    CNullAudioDevice device;
    device.devices = {{"Speakers", true, 0x0305}, {"Pulse sink", false, 0}};
    const auto list = EnumerateAudioDevices(device);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (std::pair<int, std::string>{-1, "Windows Wave Mapper"}));
    EXPECT_EQ(list[1], (std::pair<int, std::string>{0, "Speakers (Version 3.5)"}));
    EXPECT_EQ(list[2], (std::pair<int, std::string>{1, "Pulse sink"}));
    EXPECT_EQ(SelectedDeviceEntry(list, -1), 0);
    EXPECT_EQ(SelectedDeviceEntry(list, 1), 2);
    EXPECT_EQ(SelectedDeviceEntry(list, 7), -1);
    device.devices.clear();
    EXPECT_EQ(EnumerateAudioDevices(device).size(), 1u);
}

}  // namespace
}  // namespace plexion
