// The WAV reader, digit grouping and durations, and loading sounds from
// files (with the RIFF chunk walk, 24-bit,
// float and extensible data that real programs write).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "audio_test_support.h"
#include "temp_dir.h"
#include "wav_file_info.h"
#include "wav_memory.h"

namespace plexion {
namespace {

using test::CBytes;
using test::FloatBytes;
using test::FloatsOf;
using test::FormatBody;
using test::Int16Bytes;
using test::RiffWave;

std::string Inspect(const std::string& path) {
    CWavFileInfo info;
    return info.Inspect(path);
}

TEST(DigitGrouping, BlanksBetweenGroupsOfThree) {
    EXPECT_EQ(GroupDigits(0), "0");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1 000");
    EXPECT_EQ(GroupDigits(1234), "1 234");
    EXPECT_EQ(GroupDigits(123456), "123 456");
    EXPECT_EQ(GroupDigits(1234567), "1 234 567");
    EXPECT_EQ(GroupDigits(-1234), "-1 234");
}

TEST(Duration, MinutesSecondsMilliseconds) {
    EXPECT_EQ(DurationText(44100, 44100), "0:01.000");
    EXPECT_EQ(DurationText(3000000, 44100), "1:08.027");
    EXPECT_EQ(DurationText(1, 2000), "0:00.001");  // 0.5 ms rounds away from zero
    EXPECT_EQ(DurationText(100, 0), "0:00.000");   // a rate of 0 has no duration
}

class WavFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir_.File(name);
        test::WriteFileBytes(path, bytes);
        return path;
    }
    test::CTempDir dir_;
};

TEST_F(WavFiles, FailureTexts) {
    EXPECT_EQ(Inspect(dir_.File("missing.wav")), "Can't open filename");
    EXPECT_EQ(Inspect(Write("short.wav", std::vector<std::uint8_t>(43, 0))),
              "Not a windows .WAV file !");
    auto notRiff = RiffWave({{"fmt ", FormatBody(1, 2, 44100, 16)}, {"data", {0, 0, 0, 0}}});
    notRiff[0] = 'X';
    EXPECT_EQ(Inspect(Write("x.wav", notRiff)), "Not a windows .WAV file !");
    // RIFF, but no data chunk.
    EXPECT_EQ(Inspect(Write("nodata.wav", RiffWave({{"fmt ", FormatBody(1, 2, 44100, 16)},
                                                    {"junk", std::vector<std::uint8_t>(20)}}))),
              "Not a windows .WAV file !");
}

TEST_F(WavFiles, CanonicalHeaderText) {
    const auto path = Write("c.wav", RiffWave({{"fmt ", FormatBody(1, 2, 44100, 16)},
                                               {"data", std::vector<std::uint8_t>(1234 * 4)}}));
    EXPECT_EQ(Inspect(path), "16 Bits, 2 Channels, 44100 Hz, 1 234 Samples, Time 0:00.028");
}

TEST_F(WavFiles, FullRateChunksAnywherePaddingAndTruncation) {
    // A LIST chunk first, an odd-sized chunk with its pad byte, data before
    // fmt, a 96000 Hz rate (more than 16 bits), and a data chunk that claims
    // more than the file holds.
    CBytes list;
    list.Tag("INFO").Tag("ICMT").U32(5).Raw({'h', 'e', 'l', 'l', 'o'}).Pad(1);
    auto bytes = RiffWave({{"LIST", list.Bytes()},
                           {"odd ", {1, 2, 3}},
                           {"data", Int16Bytes({100, -100, 200, -200, 300, -300})},
                           {"fmt ", FormatBody(1, 2, 96000, 16)}});
    const auto path = Write("odd.wav", bytes);
    CWavFileInfo info;
    EXPECT_EQ(info.Inspect(path), "16 Bits, 2 Channels, 96000 Hz, 3 Samples, Time 0:00.000");
    EXPECT_EQ(info.sampleRate, 96000);
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(path));
    EXPECT_EQ(sound.SampleRate(), 96000);
    EXPECT_EQ(sound.FrameCount(), 3);
    EXPECT_EQ(test::Int16sOf(sound.SampleData()),
              (std::vector<std::int16_t>{100, -100, 200, -200, 300, -300}));

    // The data chunk claims 1000 bytes; the file holds 6 (one and a half frames).
    auto cut = RiffWave({{"fmt ", FormatBody(1, 2, 8000, 16)}});
    CBytes tail;
    tail.Tag("data").U32(1000).Raw(Int16Bytes({1, 2, 3}));
    cut.insert(cut.end(), tail.Bytes().begin(), tail.Bytes().end());
    const auto cutPath = Write("cut.wav", cut);
    ASSERT_TRUE(sound.LoadFromFile(cutPath));
    EXPECT_EQ(sound.FrameCount(), 1);
    EXPECT_EQ(sound.SampleData().size(), 4u);
}

TEST_F(WavFiles, ExtensibleIsUnderstood) {
    CBytes format;
    format.U16(0xFFFE).U16(1).U32(22050).U32(44100).U16(2).U16(16).U16(22).U16(16).U32(4);
    format.U16(1).Raw(
        {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    const auto path = Write(
        "ext.wav", RiffWave({{"fmt ", format.Bytes()}, {"data", Int16Bytes({16384, -16384})}}));
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(path));
    EXPECT_EQ(sound.BitsPerSample(), 16);
    EXPECT_EQ(sound.Channels(), 1);
    EXPECT_EQ(sound.FrameCount(), 2);
    EXPECT_EQ(test::Int16sOf(sound.SampleData()), (std::vector<std::int16_t>{16384, -16384}));
}

TEST_F(WavFiles, SampleEncodings) {
    CVKT_WavMemory sound;
    // IEEE float (format 3) is taken as it is.
    ASSERT_TRUE(sound.LoadFromFile(Write(
        "f.wav",
        RiffWave({{"fmt ", FormatBody(3, 1, 44100, 32)}, {"data", FloatBytes({0.5f, -0.25f})}}))));
    EXPECT_EQ(sound.BitsPerSample(), 32);
    EXPECT_EQ(FloatsOf(sound.SampleData()), (std::vector<float>{0.5f, -0.25f}));
    // Legacy 32-bit format-1 data: floats on a ±32767 scale.
    ASSERT_TRUE(sound.LoadFromFile(
        Write("legacy.wav", RiffWave({{"fmt ", FormatBody(1, 1, 44100, 32)},
                                      {"data", FloatBytes({32767.0f, -16383.5f})}}))));
    EXPECT_EQ(sound.BitsPerSample(), 32);
    const auto legacy = FloatsOf(sound.SampleData());
    EXPECT_FLOAT_EQ(legacy[0], 1.0f);
    EXPECT_FLOAT_EQ(legacy[1], -0.5f);
    // 32-bit integers (bit patterns no legacy float file holds) are integers.
    CBytes ints;
    ints.U32(0x40000000u).U32(0xFFFFFFFFu).U32(0x80000000u);
    ASSERT_TRUE(sound.LoadFromFile(Write(
        "i32.wav", RiffWave({{"fmt ", FormatBody(1, 1, 44100, 32)}, {"data", ints.Bytes()}}))));
    EXPECT_EQ(FloatsOf(sound.SampleData()),
              (std::vector<float>{0.5f, static_cast<float>(-1.0 / 2147483648.0), -1.0f}));
    // 24-bit data becomes 32-bit float.
    ASSERT_TRUE(sound.LoadFromFile(Write(
        "24.wav", RiffWave({{"fmt ", FormatBody(1, 1, 44100, 24)},
                            {"data", {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0, 0xFF, 0xFF, 0xFF}}}))));
    EXPECT_EQ(sound.BitsPerSample(), 32);
    EXPECT_EQ(FloatsOf(sound.SampleData()), (std::vector<float>{0.5f, -0.5f, -1.0f / 8388608.0f}));
    // 8-bit data stays unsigned bytes.
    ASSERT_TRUE(sound.LoadFromFile(Write(
        "8.wav", RiffWave({{"fmt ", FormatBody(1, 1, 11025, 8)}, {"data", {0x80, 0xFF, 0x00}}}))));
    EXPECT_EQ(sound.BitsPerSample(), 8);
    EXPECT_EQ(sound.SampleData(), (std::vector<std::uint8_t>{0x80, 0xFF, 0x00}));
    EXPECT_EQ(sound.Specifications(), "WAV, 3 Data, 3 Bytes (8 Bits, 1 Channels, 11025 Hz)");
}

TEST_F(WavFiles, UnrecognisedHeaderLoadsAnEmptySound) {
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.SetPcm(8, 1, 8000, 1, {1}));
    ASSERT_TRUE(sound.LoadFromFile(Write("bad.wav", std::vector<std::uint8_t>(100, 'x'))));
    EXPECT_EQ(sound.FrameCount(), 0);
    EXPECT_EQ(sound.BitsPerSample(), 16);
    EXPECT_EQ(sound.Channels(), 2);
    EXPECT_EQ(sound.SampleRate(), 44100);
    EXPECT_EQ(sound.Specifications(), "WAV, Empty !");
    EXPECT_FALSE(sound.LoadFromFile(dir_.File("missing.wav")));
}

TEST_F(WavFiles, ExtensionRulesAndRawSamples) {
    CVKT_WavMemory sound;
    const auto wav = RiffWave({{"fmt ", FormatBody(1, 1, 8000, 16)}, {"data", Int16Bytes({7})}});
    ASSERT_TRUE(sound.LoadFromFile(Write("a.Wav", wav)));
    EXPECT_EQ(sound.BitsPerSample(), 16);
    ASSERT_TRUE(sound.LoadFromFile(Write("b.wAV", wav)));
    EXPECT_EQ(sound.FrameCount(), 1);
    // No dot: raw floats; 20 bytes give 2 frames, every value doubled.
    auto raw = FloatBytes({0.25f, -0.125f, 0.5f, 0.0f, 9.0f});
    ASSERT_TRUE(sound.LoadFromFile(Write("noext", raw)));
    EXPECT_EQ(sound.FrameCount(), 2);
    EXPECT_EQ(sound.BitsPerSample(), 32);
    EXPECT_EQ(sound.Channels(), 2);
    EXPECT_EQ(sound.SampleRate(), 8000);  // the rate is left as it was
    EXPECT_EQ(FloatsOf(sound.SampleData()), (std::vector<float>{0.5f, -0.25f, 1.0f, 0.0f}));
    CVKT_WavMemory fresh;
    ASSERT_TRUE(fresh.LoadFromFile(Write("fresh", raw)));
    EXPECT_EQ(fresh.SampleRate(), 44100);
    // A .wav file read as raw under another extension.
    ASSERT_TRUE(sound.LoadFromFile(Write("c.pcm", FloatBytes({0.25f, 0.25f}))));
    EXPECT_EQ(sound.FrameCount(), 1);
    EXPECT_FALSE(sound.LoadFromFile(Write("empty.pcm", {})));
    EXPECT_EQ(sound.FrameCount(), 0);
    EXPECT_FALSE(sound.LoadFromFile(dir_.File("missing.pcm")));
}

TEST_F(WavFiles, OggFilesKeepTheirBytes) {
    CVKT_WavMemory sound;
    EXPECT_FALSE(sound.LoadFromFile(dir_.File("missing.ogg")));
    EXPECT_EQ(sound.StorageKind(), CVKT_WavMemory::kStorageOgg);
    EXPECT_EQ(sound.Specifications(), "OGG, Empty !");
    ASSERT_TRUE(sound.LoadFromFile(Write("junk.OGG", {'n', 'o', 't', ' ', 'o', 'g', 'g'})));
    EXPECT_EQ(sound.StorageKind(), CVKT_WavMemory::kStorageOgg);
    EXPECT_EQ(sound.Ogg().StreamInfo(), COggStreamInfo{});
    EXPECT_EQ(sound.Specifications(), "OGG, 7 Bytes (0 Channels, 0 Hz)");
}

// ---- WAV files as other programs write them ----

// A sound's samples as floats on the scale sox uses (8-bit (b-128)/128,
// 16-bit v/32768, floats as they are).
std::vector<float> AsFloats(const CVKT_WavMemory& sound) {
    std::vector<float> out;
    const auto& data = sound.SampleData();
    if (sound.BitsPerSample() == 8) {
        for (std::uint8_t b : data) {
            out.push_back((static_cast<float>(b) - 128.0f) / 128.0f);
        }
    } else if (sound.BitsPerSample() == 16) {
        for (std::int16_t v : test::Int16sOf(data)) {
            out.push_back(static_cast<float>(v) / 32768.0f);
        }
    } else {
        out = FloatsOf(data);
    }
    return out;
}

struct CProgramFile {
    std::string name;
    std::vector<std::string> command;  // "OUT" stands for the file to write
    int channels;
    int rate;
    int keptBits;
};

class ProgramWavFiles : public WavFiles, public ::testing::WithParamInterface<CProgramFile> {};

std::string PythonWave(int width, int channels, int rate) {
    return "import math, struct, sys, wave\n"
           "w = wave.open(sys.argv[1], 'wb')\n"
           "w.setnchannels(" +
           std::to_string(channels) +
           ")\n"
           "w.setsampwidth(" +
           std::to_string(width) +
           ")\n"
           "w.setframerate(" +
           std::to_string(rate) +
           ")\n"
           "full = 2 ** (8 * " +
           std::to_string(width) +
           " - 1) - 1\n"
           "out = bytearray()\n"
           "for i in range(" +
           std::to_string(rate / 10) +
           "):\n"
           "    for c in range(" +
           std::to_string(channels) +
           "):\n"
           "        v = int(0.5 * full * math.sin(2 * math.pi * (440 + 220 * c) * i / " +
           std::to_string(rate) +
           "))\n"
           "        if " +
           std::to_string(width) +
           " == 1:\n"
           "            out += bytes([v + 128])\n"
           "        else:\n"
           "            out += v.to_bytes(" +
           std::to_string(width) +
           ", 'little', signed=True)\n"
           "w.writeframes(bytes(out))\n"
           "w.close()\n";
}

TEST_P(ProgramWavFiles, ReadsAsSoxDecodesThem) {
    const CProgramFile& p = GetParam();
    const std::string wav = dir_.File(p.name + ".wav");
    std::vector<std::string> command = p.command;
    for (std::string& word : command) {
        if (word == "OUT") {
            word = wav;
        }
    }
    ASSERT_NO_FATAL_FAILURE(test::MustRun(command));
    const std::string reference = dir_.File("reference.f32");
    ASSERT_NO_FATAL_FAILURE(test::MustRun(
        {"sox", "-D", wav, "-t", "raw", "-e", "floating-point", "-b", "32", reference}));
    const std::vector<float> expected = FloatsOf(test::ReadFileBytes(reference));

    CWavFileInfo info;
    const std::string text = info.Inspect(wav);
    EXPECT_TRUE(info.recognised) << text;
    CVKT_WavMemory sound;
    ASSERT_TRUE(sound.LoadFromFile(wav));
    EXPECT_EQ(sound.Channels(), p.channels);
    EXPECT_EQ(sound.SampleRate(), p.rate);
    EXPECT_EQ(sound.BitsPerSample(), p.keptBits);
    const std::vector<float> got = AsFloats(sound);
    ASSERT_EQ(got.size(), expected.size());
    ASSERT_GT(got.size(), 100u);
    float worst = 0;
    float peak = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        worst = std::max(worst, std::fabs(got[i] - expected[i]));
        peak = std::max(peak, std::fabs(got[i]));
    }
    EXPECT_LT(worst, 1e-4f);
    EXPECT_GT(peak, 0.05f);  // a real signal, not silence
}

const std::vector<std::string> kSoxSine = {"synth", "0.1", "sine", "440",
                                           "sine",  "660", "vol",  "0.5"};

std::vector<std::string> Sox(std::vector<std::string> format) {
    std::vector<std::string> c = {"sox", "-D", "-n"};
    c.insert(c.end(), format.begin(), format.end());
    c.push_back("OUT");
    c.insert(c.end(), kSoxSine.begin(), kSoxSine.end());
    return c;
}

// ffmpeg writes an extensible header above 16 bits, and the title makes it
// write a LIST chunk between "fmt " and "data".
std::vector<std::string> Ffmpeg(const std::string& codec, int rate, int channels) {
    return {"ffmpeg",    "-v",
            "error",     "-y",
            "-f",        "lavfi",
            "-i",        "sine=frequency=440:sample_rate=" + std::to_string(rate) + ":duration=0.1",
            "-ac",       std::to_string(channels),
            "-c:a",      codec,
            "-metadata", "title=plexion test",
            "OUT"};
}

std::vector<std::string> Python(int width, int channels, int rate) {
    return {"python3", "-c", PythonWave(width, channels, rate), "OUT"};
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramWavFiles,
    ::testing::Values(
        CProgramFile{"sox_s16_stereo_22050", Sox({"-r", "22050", "-c", "2", "-b", "16"}), 2, 22050,
                     16},
        CProgramFile{"sox_u8_mono_11025",
                     Sox({"-r", "11025", "-c", "1", "-b", "8", "-e", "unsigned"}), 1, 11025, 8},
        CProgramFile{"sox_s24_stereo_96000", Sox({"-r", "96000", "-c", "2", "-b", "24"}), 2, 96000,
                     32},
        CProgramFile{"sox_s32_mono_48000", Sox({"-r", "48000", "-c", "1", "-b", "32"}), 1, 48000,
                     32},
        CProgramFile{"sox_f32_stereo_44100",
                     Sox({"-r", "44100", "-c", "2", "-e", "floating-point", "-b", "32"}), 2, 44100,
                     32},
        CProgramFile{"sox_s16_mono_32000", Sox({"-r", "32000", "-c", "1", "-b", "16"}), 1, 32000,
                     16},
        CProgramFile{"ffmpeg_s16_mono_44100", Ffmpeg("pcm_s16le", 44100, 1), 1, 44100, 16},
        CProgramFile{"ffmpeg_s24_stereo_48000", Ffmpeg("pcm_s24le", 48000, 2), 2, 48000, 32},
        CProgramFile{"ffmpeg_s32_stereo_96000", Ffmpeg("pcm_s32le", 96000, 2), 2, 96000, 32},
        CProgramFile{"ffmpeg_f32_mono_22050", Ffmpeg("pcm_f32le", 22050, 1), 1, 22050, 32},
        CProgramFile{"ffmpeg_f64_stereo_44100", Ffmpeg("pcm_f64le", 44100, 2), 2, 44100, 32},
        CProgramFile{"ffmpeg_u8_stereo_22050", Ffmpeg("pcm_u8", 22050, 2), 2, 22050, 8},
        CProgramFile{"python_8_mono_22050", Python(1, 1, 22050), 1, 22050, 8},
        CProgramFile{"python_16_stereo_44100", Python(2, 2, 44100), 2, 44100, 16},
        CProgramFile{"python_24_stereo_48000", Python(3, 2, 48000), 2, 48000, 32},
        CProgramFile{"python_32_mono_96000", Python(4, 1, 96000), 1, 96000, 32}),
    [](const ::testing::TestParamInfo<CProgramFile>& info) { return info.param.name; });

}  // namespace
}  // namespace plexion
