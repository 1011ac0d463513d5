#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wav_file_writer.h"

namespace plexion {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::string TagAt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

TEST(ToolWavFile, SixteenBitStereoIsCanonicalPcm) {
    const std::vector<std::uint8_t> samples = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto wav = MakeWavFile(16, 2, 22050, samples);
    ASSERT_TRUE(wav);
    ASSERT_EQ(wav->size(), 44u + samples.size());
    EXPECT_EQ(TagAt(*wav, 0), "RIFF");
    EXPECT_EQ(U32At(*wav, 4), wav->size() - 8);
    EXPECT_EQ(TagAt(*wav, 8), "WAVE");
    EXPECT_EQ(TagAt(*wav, 12), "fmt ");
    EXPECT_EQ(U32At(*wav, 16), 16u);
    EXPECT_EQ(U16At(*wav, 20), 1);       // integer PCM
    EXPECT_EQ(U16At(*wav, 22), 2);       // channels
    EXPECT_EQ(U32At(*wav, 24), 22050u);  // rate
    EXPECT_EQ(U32At(*wav, 28), 88200u);  // bytes per second
    EXPECT_EQ(U16At(*wav, 32), 4);       // block align
    EXPECT_EQ(U16At(*wav, 34), 16);
    EXPECT_EQ(TagAt(*wav, 36), "data");
    EXPECT_EQ(U32At(*wav, 40), samples.size());
    EXPECT_EQ(std::memcmp(wav->data() + 44, samples.data(), samples.size()), 0);
}

TEST(ToolWavFile, FloatSamplesUseFormatThreeWithAFactChunk) {
    const std::vector<std::uint8_t> samples(8 * 3, 0);  // 3 stereo frames
    const auto wav = MakeWavFile(32, 2, 44100, samples);
    ASSERT_TRUE(wav);
    EXPECT_EQ(U32At(*wav, 16), 18u);
    EXPECT_EQ(U16At(*wav, 20), 3);
    EXPECT_EQ(U16At(*wav, 36), 0);  // no extension bytes
    EXPECT_EQ(TagAt(*wav, 38), "fact");
    EXPECT_EQ(U32At(*wav, 46), 3u);  // frames
    EXPECT_EQ(TagAt(*wav, 50), "data");
    EXPECT_EQ(U32At(*wav, 54), samples.size());
    EXPECT_EQ(wav->size(), 58u + samples.size());
    EXPECT_EQ(U32At(*wav, 4), wav->size() - 8);
}

TEST(ToolWavFile, OddDataIsPaddedButKeepsItsSize) {
    const auto wav = MakeWavFile(8, 1, 8000, std::vector<std::uint8_t>{0x80, 0x81, 0x82});
    ASSERT_TRUE(wav);
    EXPECT_EQ(U32At(*wav, 40), 3u);
    EXPECT_EQ(wav->size(), 44u + 4u);
    EXPECT_EQ(U32At(*wav, 4), wav->size() - 8);
    EXPECT_EQ(wav->back(), 0);
}

TEST(ToolWavFile, ImpossibleNumbersAreRefusedWithAReason) {
    const std::vector<std::uint8_t> two = {0, 0};
    std::string why;
    EXPECT_FALSE(MakeWavFile(12, 1, 8000, two, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(MakeWavFile(16, 0, 8000, two));
    EXPECT_FALSE(MakeWavFile(16, 1, 0, two));
    EXPECT_FALSE(MakeWavFile(16, 2, 8000, two));  // half a frame
    EXPECT_FALSE(MakeWavFile(32, 65535, 0x7FFFFFFF, {}));
    EXPECT_TRUE(MakeWavFile(16, 1, 8000, {}));
}

}  // namespace
}  // namespace plexion
