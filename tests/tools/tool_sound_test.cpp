// The sound commands of the real plexion-tool binary: add-sound, sound-info,
// render-sound (against what sox, oggdec and the raw bytes say), and
// play-sound and devices without a sound server.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "audio_test_support.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolSound : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    std::string Sox(const std::string& name, std::vector<std::string> format,
                    const std::string& seconds = "0.25") {
        const std::string path = dir_.File(name);
        std::vector<std::string> c = {"sox", "-D", "-n"};
        c.insert(c.end(), format.begin(), format.end());
        c.insert(c.end(), {path, "synth", seconds, "sine", "440", "sine", "700", "vol", "0.7"});
        MustRun(c);
        return path;
    }
    std::vector<std::int16_t> Render(const std::vector<std::string>& extra,
                                     CWavContent* wav = nullptr) {
        const std::string out = dir_.File("render.wav");
        std::vector<std::string> args = {"render-sound", doc_};
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-o", out});
        const CToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        CWavContent content = ReadCanonicalWav(out);
        if (wav) {
            *wav = content;
        }
        return Int16sOf(content.data);
    }
    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolSound, AddSoundNamesItemsAfterTheirFiles) {
    const std::string wav = Sox("door.open.wav", {"-r", "22050", "-c", "1", "-b", "16"});
    const std::string wav2 = Sox("tone.wav", {"-r", "44100", "-c", "2", "-b", "16"});
    const std::string ogg = dir_.File("music.ogg");
    MustRun({"oggenc", "-Q", "-o", ogg, wav2});
    WriteFileBytes(dir_.File("raw.pcm"), FloatBytes({0.25f, -0.25f}));
    ASSERT_EQ(RunTool({"add-sound", doc_, wav, ogg, dir_.File("raw.pcm")}).exitCode, 0);
    const CToolRun list = RunTool({"list", doc_, "--kind", "sounds"});
    EXPECT_EQ(list.out,
              "sounds\t0\tdoor.open\tWAV, 5512 Data, 11024 Bytes (16 Bits, 1 Channels, 22050 Hz)\n"
              "sounds\t1\tmusic\tOGG, " +
                  std::to_string(ReadFileBytes(ogg).size()) +
                  " Bytes (2 Channels, 44100 Hz)\n"
                  "sounds\t2\traw\tWAV, 1 Data, 8 Bytes (32 Bits, 2 Channels, 44100 Hz)\n");
    // A path that does not load: nothing is added, the document is untouched.
    const auto before = ReadFileBytes(doc_);
    const CToolRun failed = RunTool({"add-sound", doc_, wav, dir_.File("missing.ogg")});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_NE(failed.err.find("missing.ogg"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(doc_), before);
    EXPECT_EQ(RunTool({"add-sound", doc_}).exitCode, 1);
}

TEST_F(ToolSound, SoundInfoPrintsTheInspectionText) {
    const std::string wav = Sox("a.wav", {"-r", "96000", "-c", "2", "-b", "24"}, "1.5");
    CToolRun run = RunTool({"sound-info", wav});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "24 Bits, 2 Channels, 96000 Hz, 144 000 Samples, Time 0:01.500\n");
    WriteFileBytes(dir_.File("x.wav"), std::vector<std::uint8_t>(100, 'x'));
    run = RunTool({"sound-info", dir_.File("x.wav")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "Not a windows .WAV file !\n");
    run = RunTool({"sound-info", dir_.File("none.wav")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "Can't open filename\n");
}

// trunc(0.6 × v / 32767 × 32767) as the engine computes it in floats.
int Expected16(int v) {
    const float x = static_cast<float>(v) * 3.0518509e-05f * 0.6f;
    return static_cast<int>(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
}

TEST_F(ToolSound, RenderedWavMatchesSoxDecoding) {
    const std::string wav = Sox("stereo.wav", {"-r", "44100", "-c", "2", "-b", "16"});
    ASSERT_EQ(RunTool({"add-sound", doc_, wav}).exitCode, 0);
    const std::string raw = dir_.File("sox.raw");
    MustRun({"sox", wav, "-t", "raw", "-e", "signed", "-b", "16", raw});
    const auto source = Int16sOf(ReadFileBytes(raw));
    CWavContent content;
    const auto rendered = Render({"stereo"}, &content);
    EXPECT_EQ(content.rate, 44100);
    EXPECT_EQ(content.channels, 2);
    EXPECT_EQ(content.bits, 16);
    ASSERT_EQ(rendered.size(), source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        ASSERT_EQ(rendered[i], Expected16(source[i])) << i;
    }
    EXPECT_EQ(RunTool({"render-sound", doc_, "nothing", "-o", dir_.File("n.wav")}).exitCode, 4);
    EXPECT_EQ(RunTool({"render-sound", doc_, "stereo"}).exitCode, 1);
    EXPECT_EQ(RunTool({"render-sound", doc_, "stereo", "-o", dir_.File("n.wav"), "--bits", "24"})
                  .exitCode,
              1);
}

TEST_F(ToolSound, HalfRateMonoPlaysEachFrameTwiceOnBothChannels) {
    const std::string wav = Sox("mono.wav", {"-r", "22050", "-c", "1", "-b", "16"});
    ASSERT_EQ(RunTool({"add-sound", doc_, wav}).exitCode, 0);
    const std::string raw = dir_.File("sox.raw");
    MustRun({"sox", wav, "-t", "raw", "-e", "signed", "-b", "16", raw});
    const auto source = Int16sOf(ReadFileBytes(raw));
    const auto rendered = Render({"mono"});
    ASSERT_EQ(rendered.size(), 4 * source.size());
    for (std::size_t j = 0; j < 2 * source.size(); ++j) {
        ASSERT_EQ(rendered[2 * j], Expected16(source[j / 2])) << j;
        ASSERT_EQ(rendered[2 * j + 1], rendered[2 * j]) << j;
    }
    // At its own rate: one output frame per frame.
    EXPECT_EQ(Render({"mono", "--rate", "22050"}).size(), 2 * source.size());
}

TEST_F(ToolSound, RawFloatsAndEightBitOutput) {
    WriteFileBytes(dir_.File("raw.pcm"), FloatBytes({0.25f, -0.5f, 0.0f, 0.125f}));
    ASSERT_EQ(RunTool({"add-sound", doc_, dir_.File("raw.pcm")}).exitCode, 0);
    // Doubled on import, 0.6 on the voice: 0.3, -0.6, 0, 0.15.
    EXPECT_EQ(Render({"raw"}), (std::vector<std::int16_t>{9830, -19660, 0, 4915}));
    CWavContent content;
    Render({"raw", "--bits", "8"}, &content);
    EXPECT_EQ(content.bits, 8);
    EXPECT_EQ(content.data, (std::vector<std::uint8_t>{128 + 38, 128 - 76, 128, 128 + 19}));
}

TEST_F(ToolSound, LoopSecondsRepeatsTheSound) {
    WriteFileBytes(dir_.File("click.pcm"), FloatBytes({0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f}));
    ASSERT_EQ(RunTool({"add-sound", doc_, dir_.File("click.pcm")}).exitCode, 0);
    // A raw sound is a 44100 Hz sound: one frame per output frame.
    const auto rendered = Render({"click", "--loop-seconds", "0.5"});
    ASSERT_EQ(rendered.size(), 2u * 22050u);
    for (std::size_t j = 0; j < 22050; ++j) {
        ASSERT_EQ(rendered[2 * j], j % 3 == 0 ? 19660 : 0) << j;
    }
    EXPECT_EQ(
        RunTool({"render-sound", doc_, "click", "-o", dir_.File("x.wav"), "--loop-seconds", "0"})
            .exitCode,
        1);
}

TEST_F(ToolSound, OggRendersAsOggdecDecodes) {
    for (const char* rate : {"44100", "22050"}) {
        const std::string wav =
            Sox(std::string("o") + rate + ".wav", {"-r", rate, "-c", "2", "-b", "16"}, "0.6");
        const std::string ogg = dir_.File(std::string("o") + rate + ".ogg");
        MustRun({"oggenc", "-Q", "-o", ogg, wav});
        ASSERT_EQ(RunTool({"add-sound", doc_, ogg}).exitCode, 0);
        const std::string raw = dir_.File("oggdec.raw");
        MustRun({"oggdec", "-Q", "-R", "-b", "16", "-e", "0", "-s", "1", "-o", raw, ogg});
        const auto decoded = Int16sOf(ReadFileBytes(raw));
        const auto rendered = Render({std::string("o") + rate});
        const std::size_t repeat = std::string(rate) == "44100" ? 1 : 2;
        ASSERT_EQ(rendered.size(), repeat * decoded.size()) << rate;
        int worst = 0;
        for (std::size_t j = 0; j < rendered.size() / 2; ++j) {
            for (std::size_t c = 0; c < 2; ++c) {
                const int expected = static_cast<int>(0.6 * decoded[2 * (j / repeat) + c]);
                worst = std::max(worst, std::abs(rendered[2 * j + c] - expected));
            }
        }
        EXPECT_LE(worst, 2) << rate;
    }
}

TEST_F(ToolSound, OggLoopSecondsRepeatsTheStreamBackToBack) {
    const std::string wav = Sox("half.wav", {"-r", "44100", "-c", "2", "-b", "16"}, "0.5");
    const std::string ogg = dir_.File("half.ogg");
    MustRun({"oggenc", "-Q", "-o", ogg, wav});
    ASSERT_EQ(RunTool({"add-sound", doc_, ogg}).exitCode, 0);
    const std::string raw = dir_.File("oggdec.raw");
    MustRun({"oggdec", "-Q", "-R", "-b", "16", "-e", "0", "-s", "1", "-o", raw, ogg});
    const auto decoded = Int16sOf(ReadFileBytes(raw));
    ASSERT_EQ(decoded.size(), 2u * 22050u);
    const auto rendered = Render({"half", "--loop-seconds", "3"});
    ASSERT_EQ(rendered.size(), 6 * decoded.size());
    int worst = 0;
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        const int expected = static_cast<int>(0.6 * decoded[i % decoded.size()]);
        worst = std::max(worst, std::abs(rendered[i] - expected));
    }
    EXPECT_LE(worst, 2);
}

// With PULSE_SERVER pointing nowhere the tool finds no sound server.
class NoSoundServer {
public:
    NoSoundServer() {
        const char* old = std::getenv("PULSE_SERVER");
        had_ = old != nullptr;
        old_ = old ? old : "";
        ::setenv("PULSE_SERVER", "unix:/nonexistent/plexion/no-server", 1);
    }
    ~NoSoundServer() {
        if (had_) {
            ::setenv("PULSE_SERVER", old_.c_str(), 1);
        } else {
            ::unsetenv("PULSE_SERVER");
        }
    }

private:
    bool had_;
    std::string old_;
};

TEST_F(ToolSound, WithoutASoundServerNothingPlaysAndNothingHangs) {
    const std::string wav = Sox("s.wav", {"-r", "44100", "-c", "2", "-b", "16"});
    ASSERT_EQ(RunTool({"add-sound", doc_, wav}).exitCode, 0);
    NoSoundServer noServer;
    const CToolRun play = RunTool({"play-sound", doc_, "s"});
    EXPECT_EQ(play.exitCode, 5);
    EXPECT_EQ(play.err, "plexion-tool: cannot open the audio output device\n");
    const CToolRun devices = RunTool({"devices"});
    EXPECT_EQ(devices.exitCode, 0);
    EXPECT_EQ(devices.out, "-1\tWindows Wave Mapper\n");
    EXPECT_EQ(RunTool({"play-sound", doc_, "none"}).exitCode, 4);
    EXPECT_EQ(RunTool({"play-sound", doc_, "s", "--seconds", "x"}).exitCode, 1);
    EXPECT_EQ(RunTool({"play-sound", doc_, "s", "--device", "-2"}).exitCode, 1);
}

TEST_F(ToolSound, FilesThatAreNoSoundsAreRefusedWithTheirReason) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    CBytes noise;
    for (std::uint32_t i = 0; i < 500; ++i) {
        noise.U32(i * 2654435761u);
    }
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"empty.wav", {}, "it is not a WAV file"},
        {"noise.wav", noise.Bytes(), "it is not a WAV file"},
        {"picture.ogg", png, "it holds no Ogg Vorbis stream"},
        {"fast.wav",
         RiffWave({{"fmt ", FormatBody(1, 2, 0x80000000u, 16)}, {"data", {0, 0, 0, 0}}}),
         "its sample rate is not from 1 to 2147483647 Hz"},
        {"still.wav", RiffWave({{"fmt ", FormatBody(1, 2, 0, 16)}, {"data", {0, 0, 0, 0}}}),
         "its sample rate is not from 1 to 2147483647 Hz"},
        {"tiny.pcm", {1, 2, 3}, "too short for one frame"},
    };
    for (const Case& c : cases) {
        const std::string path = dir_.File(c.name);
        WriteFileBytes(path, c.bytes);
        const CToolRun run = RunTool({"add-sound", doc_, path});
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_NE(run.err.find(c.name), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunTool({"list", doc_, "--kind", "sounds"}).out, "");
}

}  // namespace
}  // namespace plexion::test
