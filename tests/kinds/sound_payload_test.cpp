#include <gtest/gtest.h>

#include "kinds_fixture.h"
#include "wav_memory.h"

namespace plexion {
namespace {

TEST(SoundItem, PcmAndOggRoundTripWithTheirDescriptions) {
    CVKT_ResourceContainer c;
    auto* pcm = c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("pcm"));
    EXPECT_EQ(pcm->Specifications(), "WAV, Empty !");
    std::vector<std::uint8_t> samples(1000 * 2 * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::uint8_t>(i * 7);
    }
    EXPECT_FALSE(pcm->SetPcm(16, 2, 22050, 1001, samples));
    ASSERT_TRUE(pcm->SetPcm(16, 2, 22050, 1000, samples));
    EXPECT_EQ(pcm->Specifications(), "WAV, 1000 Data, 4000 Bytes (16 Bits, 2 Channels, 22050 Hz)");
    auto* ogg = c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("ogg"));
    ogg->SetOgg({'O', 'g', 'g', 'S', 0, 9}, {});
    EXPECT_EQ(ogg->Specifications(), "OGG, 6 Bytes (0 Channels, 0 Hz)");
    auto* emptyOgg = c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("empty ogg"));
    emptyOgg->SetOgg({}, {});
    EXPECT_EQ(emptyOgg->Specifications(), "OGG, Empty !");

    CVKT_ResourceContainer loaded;
    test::SaveAndReload(c, loaded);
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* p = loaded.GetAt<CVKT_WavMemory>(0);
    EXPECT_EQ(p->StorageKind(), 0);
    EXPECT_EQ(p->SampleData(), samples);
    EXPECT_EQ(p->SampleRate(), 22050);
    EXPECT_EQ(p->FrameCount(), 1000);
    const auto* o = loaded.GetAt<CVKT_WavMemory>(1);
    EXPECT_EQ(o->StorageKind(), 1);
    EXPECT_EQ(o->Ogg().Bytes(), (std::vector<std::uint8_t>{'O', 'g', 'g', 'S', 0, 9}));
    EXPECT_EQ(o->FrameCount(), 0);
    EXPECT_EQ(loaded.GetAt<CVKT_WavMemory>(2)->Specifications(), "OGG, Empty !");
}

TEST(SoundItem, ClearKeepsTheFormat) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(8, 1, 11025, 3, {1, 2, 3}));
    sound.Clear();
    EXPECT_EQ(sound.FrameCount(), 0);
    EXPECT_TRUE(sound.SampleData().empty());
    EXPECT_EQ(sound.BitsPerSample(), 8);
    EXPECT_EQ(sound.Channels(), 1);
    EXPECT_EQ(sound.SampleRate(), 11025);
}

std::vector<std::uint8_t> PcmDocument(std::int32_t storage, std::int32_t frames, std::int32_t bits,
                                      std::int32_t channels, std::size_t dataBytes) {
    return test::OneItemDocument("VKRWVMR", "s", [&](CArchive& a) {
        for (std::int32_t v : {0, 1, storage, frames, bits, channels, 8000}) {
            a.WriteInt32(v);
        }
        a.WriteRaw(std::vector<std::uint8_t>(dataBytes, 0x80).data(), dataBytes);
    });
}

TEST(SoundItem, AnyStorageKindButOneIsPcm) {
    CVKT_ResourceContainer c;
    c.LoadFromBytes(PcmDocument(7, 4, 8, 1, 4));
    ASSERT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(c.GetAt<CVKT_WavMemory>(0)->StorageKind(), 0);
    EXPECT_EQ(c.GetAt<CVKT_WavMemory>(0)->SampleData().size(), 4u);
}

TEST(SoundItem, ImpossibleSampleFormatsAreRefused) {
    CVKT_ResourceContainer c;
    for (const auto& bytes : {PcmDocument(0, 0x7FFFFFFF, 32, 2, 16), PcmDocument(0, 4, 16, -2, 16),
                              PcmDocument(0, 4, 16, 2, 15)}) {
        c.LoadFromBytes(bytes);
        EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
        EXPECT_EQ(c.Count<CVKT_WavMemory>(), 0);
    }
}

}  // namespace
}  // namespace plexion
