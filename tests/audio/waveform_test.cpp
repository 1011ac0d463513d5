// The waveform columns of PCM sounds: which frames each column reads, and
// the values it shows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "audio_test_support.h"
#include "pcm_samples.h"
#include "sound_waveform.h"
#include "wav_memory.h"

namespace plexion {
namespace {

void SetStereo16(CVKT_WavMemory& sound, std::int32_t frames,
                 const std::vector<std::pair<int, std::int16_t>>& set) {
    std::vector<std::int16_t> values(static_cast<std::size_t>(frames) * 2, 0);
    for (const auto& [index, value] : set) {
        values[static_cast<std::size_t>(index)] = value;
    }
    EXPECT_TRUE(sound.SetPcm(16, 2, 44100, frames, test::Int16Bytes(values)));
}

TEST(PcmWaveColumns, FramesReadPerColumn) {
    struct Case {
        std::int32_t frames;
        int width;
        std::int64_t visited;
    };
    for (const Case& c : {Case{300, 300, 300},                   // one frame a column
                          Case{600000, 300, 1 + 299 * 101},      // 2000 frames read every 20th
                          Case{100, 300, 300},                   // frames shown more than once
                          Case{26460000, 1000, 1 + 999 * 102}})  // ten minutes: ~100 a column
    {
        CVKT_WavMemory sound;
        ASSERT_TRUE(sound.SetPcm(8, 1, 44100, c.frames,
                                 std::vector<std::uint8_t>(static_cast<std::size_t>(c.frames), 128)));
        std::int64_t visited = -1;
        EXPECT_EQ(PcmWaveColumns(sound, c.width, &visited).size(), static_cast<std::size_t>(c.width));
        EXPECT_EQ(visited, c.visited) << c.frames << " in " << c.width;
    }
    EXPECT_EQ(WaveColumnStride(2000, 4000), 20);
    EXPECT_EQ(WaveColumnStride(0, 110), 1);
    EXPECT_EQ(WaveColumnStride(0, 111), 1);
    EXPECT_EQ(WaveColumnStride(0, 250), 2);
}

TEST(PcmWaveColumns, StrideSkipsTheFramesBetween) {
    // Column 2 of 300 over 600 000 frames runs from 2001 to 4000: 2021 is
    // read, 2011 is not.
    CVKT_WavMemory sound;
    SetStereo16(sound, 600000, {{2 * 2021, 16384}, {2 * 2011 + 1, -32767}});
    const std::vector<CWaveColumn> columns = PcmWaveColumns(sound, 300);
    EXPECT_FLOAT_EQ(columns[2].high[0], 16384 * 3.0518509e-05f);
    EXPECT_FLOAT_EQ(columns[2].low[1], 0.0f);
    EXPECT_FLOAT_EQ(columns[1].high[0], 0.0f);
}

TEST(PcmWaveColumns, SampleValuesAndChannels) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        int bits;
        int channels;
        std::vector<std::uint8_t> data;
        CWaveColumn expected;
    };
    const std::vector<Case> cases = {
        {8, 1, {128, 128}, {{0, 0}, {0, 0}}},  // silence on the centre line
        {8, 2, {255, 1, 0, 128}, {{-1, -1}, {1, 0}}},  // byte 0 is -128/127, kept to -1
        {16, 2, test::Int16Bytes({32767, -16384, 0, 0}), {{0, -16384 / 32767.0f}, {1, 0}}},
        {16, 1, test::Int16Bytes({-32767, 100}), {{-1, -1}, {100 / 32767.0f, 100 / 32767.0f}}},
        {32, 2, test::FloatBytes({2.0f, nan, -0.25f, -3.0f}), {{-0.25f, -1}, {1, 0}}},
    };
    for (const Case& c : cases) {
        CVKT_WavMemory sound;
        const std::int32_t frames =
            static_cast<std::int32_t>(c.data.size()) / (c.channels * c.bits / 8);
        ASSERT_TRUE(sound.SetPcm(c.bits, c.channels, 44100, frames, c.data));
        // Column 0 reads frame 0, column 1 frame 1.
        const std::vector<CWaveColumn> two = PcmWaveColumns(sound, 2);
        const CWaveColumn all = MergeWaveColumns(two[0], two[1]);
        for (int ch = 0; ch < 2; ++ch) {
            EXPECT_NEAR(all.low[ch], c.expected.low[ch], 1e-6) << c.bits << " ch " << ch;
            EXPECT_NEAR(all.high[ch], c.expected.high[ch], 1e-6) << c.bits << " ch " << ch;
        }
    }
}

TEST(PcmWaveColumns, ColumnsShowTheExtremesOfTheFramesTheyRead) {
    // Each column against the shown value of every frame its rule reads,
    // with runs read one by one (300, 1000 columns) and with a stride (7).
    constexpr std::int32_t kFrames = 50000;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const int bits : {8, 16, 32}) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(kFrames) * 2 * bits / 8);
        std::vector<float> shown(static_cast<std::size_t>(kFrames) * 2);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto noise = static_cast<std::uint32_t>(i * 2654435761u) >> 7;
            if (bits == 8) {
                data[i] = static_cast<std::uint8_t>(noise);
                shown[i] = WaveValue(CSample8::At(data.data(), i));
            } else if (bits == 16) {
                const auto value = static_cast<std::int16_t>(noise);
                std::memcpy(&data[2 * i], &value, sizeof value);
                shown[i] = WaveValue(CSample16::At(data.data(), i));
            } else {
                const float value = noise % 97 == 0 ? nan : static_cast<float>(noise % 4001) / 1000 - 2;
                std::memcpy(&data[4 * i], &value, sizeof value);
                shown[i] = WaveValue(value);
            }
        }
        CVKT_WavMemory sound;
        ASSERT_TRUE(sound.SetPcm(bits, 2, 44100, kFrames, data));
        for (const int width : {7, 300, 1000}) {
            const std::vector<CWaveColumn> columns = PcmWaveColumns(sound, width);
            ASSERT_EQ(columns.size(), static_cast<std::size_t>(width));
            std::int64_t previous = 0;
            int same = 0;
            for (int c = 0; c < width; ++c) {
                const auto frame = static_cast<std::int64_t>(c * (static_cast<double>(kFrames) / width));
                CWaveColumn expected{{shown[2 * frame], shown[2 * frame + 1]},
                                     {shown[2 * frame], shown[2 * frame + 1]}};
                const std::int64_t stride = WaveColumnStride(previous, frame);
                for (std::int64_t f = previous + 1; f <= frame; f += stride) {
                    expected = MergeWaveColumns(
                        expected, {{shown[2 * f], shown[2 * f + 1]}, {shown[2 * f], shown[2 * f + 1]}});
                }
                const CWaveColumn& got = columns[static_cast<std::size_t>(c)];
                same += got.low == expected.low && got.high == expected.high;
                previous = frame;
            }
            EXPECT_EQ(same, width) << bits << " bits in " << width << " columns";
        }
    }
}

TEST(PcmWaveColumns, NothingToDraw) {
    CVKT_WavMemory empty;
    EXPECT_TRUE(PcmWaveColumns(empty, 100).empty());
    CVKT_WavMemory wide;
    ASSERT_TRUE(wide.SetPcm(24, 1, 44100, 2, {1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(PcmWaveColumns(wide, 100).empty());
    CVKT_WavMemory sound;
    SetStereo16(sound, 10, {});
    EXPECT_TRUE(PcmWaveColumns(sound, 0).empty());
}

}  // namespace
}  // namespace plexion
