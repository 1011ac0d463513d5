// The sounds preview's cache: an Ogg sound's waveform is decoded once, off
// the interface thread, and forgotten when the sound changes or goes; band
// pictures are kept per sound and key.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "child_process.h"
#include "sound_preview_cache.h"
#include "temp_dir.h"

namespace plexion {
namespace {

constexpr int kDecodeTimeoutMs = 30000;

class SoundPreviewCache : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string wav = dir_.File("tone.wav");
        const std::string ogg = dir_.File("tone.ogg");
        ASSERT_EQ(test::RunChildProcess({"sox", "-D", "-n", "-r", "44100", "-c", "2", "-b", "16",
                                         wav, "synth", "0.5", "sine", "440", "vol", "0.5"}),
                  0);
        ASSERT_EQ(test::RunChildProcess({"oggenc", "-Q", "-o", ogg, wav}), 0);
        ASSERT_TRUE(sound_.LoadFromFile(ogg));
    }
    test::CTempDir dir_;
    CVKT_WavMemory sound_;
};

TEST_F(SoundPreviewCache, OggWaveformIsDecodedOnceInTheBackground) {
    CSoundPreviewCache cache;
    QSignalSpy ready(&cache, &CSoundPreviewCache::waveformReady);
    EXPECT_EQ(cache.OggWaveform(sound_), nullptr);  // asked, not waited for
    EXPECT_EQ(cache.RunningDecodes(), 1);
    EXPECT_EQ(cache.OggWaveform(sound_), nullptr);
    EXPECT_EQ(cache.RunningDecodes(), 1);  // one decode however often asked
    ASSERT_TRUE(ready.wait(kDecodeTimeoutMs));
    const COggWaveform* waveform = cache.OggWaveform(sound_);
    ASSERT_NE(waveform, nullptr);
    EXPECT_EQ(waveform->frames, 22050);
    EXPECT_EQ(cache.OggWaveform(sound_), waveform);
    EXPECT_EQ(cache.RunningDecodes(), 0);
    EXPECT_EQ(ready.count(), 1);

    // Changed content: decoded again.
    std::vector<std::uint8_t> bytes = sound_.Ogg().Bytes();
    sound_.SetOgg(bytes, sound_.Ogg().StreamInfo());
    EXPECT_EQ(cache.OggWaveform(sound_), nullptr);
    EXPECT_EQ(cache.RunningDecodes(), 1);
    ASSERT_TRUE(ready.wait(kDecodeTimeoutMs));
    EXPECT_NE(cache.OggWaveform(sound_), nullptr);
}

TEST_F(SoundPreviewCache, SoundsThatGoOrChangeMidDecodeLeaveNothingBehind) {
    auto doomed = std::make_unique<CVKT_WavMemory>();
    doomed->SetOgg(sound_.Ogg().Bytes(), sound_.Ogg().StreamInfo());
    {
        CSoundPreviewCache cache;
        QSignalSpy ready(&cache, &CSoundPreviewCache::waveformReady);
        EXPECT_EQ(cache.OggWaveform(*doomed), nullptr);
        doomed.reset();  // deleted while its copy decodes
        EXPECT_EQ(cache.RunningDecodes(), 0);
        EXPECT_EQ(cache.OggWaveform(sound_), nullptr);
    }  // the cache goes while a decode runs
    CSoundPreviewCache cache;
    EXPECT_EQ(cache.OggWaveform(sound_), nullptr);
    EXPECT_EQ(cache.RunningDecodes(), 1);
}

TEST_F(SoundPreviewCache, PicturesArePerSoundAndKey) {
    CSoundPreviewCache cache;
    CVKT_WavMemory other;
    CSoundBandKey key{QSize(10, 10), 1.0, false, false, "a", {}};
    EXPECT_EQ(cache.Picture(sound_, key), nullptr);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    cache.StorePicture(sound_, key, picture);
    ASSERT_NE(cache.Picture(sound_, key), nullptr);
    EXPECT_EQ(cache.Picture(sound_, key)->pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(cache.Picture(other, key), nullptr);
    CSoundBandKey swapped = key;
    swapped.swapChannels = true;
    EXPECT_EQ(cache.Picture(sound_, swapped), nullptr);
    cache.KeepOnly({&sound_});
    EXPECT_NE(cache.Picture(sound_, key), nullptr);
    cache.KeepOnly({&other});
    EXPECT_EQ(cache.Picture(sound_, key), nullptr);
    cache.StorePicture(sound_, key, picture);
    sound_.Clear();
    EXPECT_EQ(cache.Picture(sound_, key), nullptr);
}

}  // namespace
}  // namespace plexion
