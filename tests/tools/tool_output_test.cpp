// Files the tool writes besides the document: never partial, never through
// a link out of the chosen folder, and one unwritable item does not stop
// the rest.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <random>

#include "audio_test_support.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "tool_runner.h"
#include "wav_memory.h"

namespace plexion::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};

std::vector<std::uint8_t> Noise(std::size_t size) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

std::size_t FilesUnder(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

// A document whose every output is far larger than the few kilobytes a
// "full disk" leaves: a noisy picture drawn by a map and an animation, a
// second of sound and a file of noise.
class ToolOutput : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
        QImage noisy(64, 64, QImage::Format_ARGB32);
        const std::vector<std::uint8_t> noise = Noise(64 * 64 * 4);
        std::copy(noise.begin(), noise.end(), noisy.bits());
        const std::string picture = dir_.File("noisy.png");
        ASSERT_TRUE(noisy.save(QString::fromStdString(picture), "PNG"));
        const std::string sound = dir_.File("tone.wav");
        CBytes samples;
        samples.Raw(Noise(44100 * 4));
        WriteFileBytes(sound, RiffWave({{"fmt ", FormatBody(1, 2, 44100, 16)},
                                        {"data", samples.Bytes()}}));
        const std::string file = dir_.File("blob.bin");
        WriteFileBytes(file, Noise(20000));
        for (const std::vector<std::string>& edit : std::vector<std::vector<std::string>>{
                 {"add-image", doc_, picture},
                 {"add-sound", doc_, sound},
                 {"add-file", doc_, file},
                 {"add-map", doc_, "level", "--columns", "2", "--lines", "2", "--size-x", "64",
                  "--size-y", "64"},
                 {"add-animation", doc_, "walk", "--frames", "0:1:0:0,0:1:5:5"}}) {
            ASSERT_EQ(RunTool(edit).exitCode, 0) << edit[0];
        }
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolOutput, AFullDiskLeavesNoPartialOutputAndTheOldFilesAsTheyWere) {
    struct Case {
        std::vector<std::string> command;
        std::string target;  // a file there before, which must stay as it was
    };
    const std::string out = dir_.File("out");
    const std::vector<Case> cases = {
        {{"export-image", doc_, "noisy", "-o", out + "/picture.png"}, "picture.png"},
        {{"render-map", doc_, "level", "-o", out + "/map.png"}, "map.png"},
        {{"render-animation", doc_, "walk", "-o", out}, "frame_0000.png"},
        {{"render-sound", doc_, "tone", "-o", out + "/tone.wav"}, "tone.wav"},
        {{"extract", doc_, "files", "blob", "-o", out + "/blob.bin"}, "blob.bin"},
        {{"extract-all", doc_, out}, "files"},
        {{"add-text", doc_, "hero", "Ann"}, ""},
    };
    const std::vector<std::uint8_t> document = ReadFileBytes(doc_);
    for (const Case& c : cases) {
        fs::remove_all(out);
        fs::create_directories(out);
        if (c.target != "files") {
            WriteFileBytes(out + "/" + c.target, kOld);
        }
        const CToolRun run = RunToolOnFullDisk(c.command, 8);
        EXPECT_EQ(run.exitCode, 2) << c.command[0] << ": " << run.err;
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        if (c.target.empty() || c.target == "files") {
            EXPECT_EQ(FilesUnder(out), 0u) << c.command[0];
        } else {
            EXPECT_EQ(FilesUnder(out), 1u) << c.command[0];
            EXPECT_EQ(ReadFileBytes(out + "/" + c.target), kOld) << c.command[0];
        }
    }
    EXPECT_EQ(ReadFileBytes(doc_), document);
    for (const auto& entry : fs::directory_iterator(dir_.Path())) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

TEST_F(ToolOutput, ExtractAllNeverWritesThroughALinkedKindFolder) {
    const fs::path out = dir_.Path() / "out";
    const fs::path elsewhere = dir_.Path() / "elsewhere";
    fs::create_directories(out);
    fs::create_directories(elsewhere);
    fs::create_directory_symlink(elsewhere, out / "files");
    const CToolRun run = RunTool({"extract-all", doc_, out.string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("symbolic link"), std::string::npos) << run.err;
    EXPECT_EQ(FilesUnder(elsewhere), 0u);
}

TEST_F(ToolOutput, ExtractAllGoesOnPastAnItemItCannotWrite) {
    // A sound whose rate no WAV header can carry, as a damaged file holds.
    CVKT_ResourceContainer resources;
    ASSERT_EQ(resources.Load(doc_), 1);
    const int index = resources.New<CVKT_WavMemory>("broken");
    ASSERT_TRUE(resources.GetAt<CVKT_WavMemory>(index)->SetPcm(16, 2, 0, 1, {1, 2, 3, 4}));
    resources.Move<CVKT_WavMemory>(index, 0);
    ASSERT_EQ(resources.Save(doc_), 1);

    const fs::path out = dir_.Path() / "out";
    const CToolRun run = RunTool({"extract-all", doc_, out.string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("1 item(s) could not be extracted: sounds \"broken\""),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(fs::exists(out / "sounds" / "tone.wav"));
    EXPECT_TRUE(fs::exists(out / "files" / "blob.bin"));
    EXPECT_TRUE(fs::exists(out / "bitmaps" / "noisy.png"));
}

TEST_F(ToolOutput, AnAnimationWhoseFramesCannotFitACanvasIsRefused) {
    ASSERT_EQ(RunTool({"add-animation", doc_, "far", "--frames", "0:1:0:0,0:1:1073741824:0"})
                  .exitCode,
              0);
    const CToolRun run = RunTool({"render-animation", doc_, "far", "-o", dir_.File("frames")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("cannot fit a canvas"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir_.File("frames/frame_0000.png")));
}

}  // namespace
}  // namespace plexion::test
