#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "document_fixtures.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

const std::vector<std::uint8_t> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
const std::vector<std::uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 9};

std::vector<std::uint8_t> AsBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class ToolExtract : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("every.dat");
        WriteEveryKindDocument(doc_);
    }
    CToolRun Extract(const std::string& kind, const std::string& id) const {
        return RunTool({"extract", doc_, kind, id});
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolExtract, FileBytesComeOutExactly) {
    const CToolRun run = Extract("files", "blob");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(AsBytes(run.out), EveryByteValue());
    const std::string target = dir_.File("blob.out");
    ASSERT_EQ(RunTool({"extract", doc_, "7", "blob", "-o", target}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(target), EveryByteValue());
}

TEST_F(ToolExtract, PcmSoundBecomesAWavFile) {
    const std::vector<std::uint8_t> wav = AsBytes(Extract("sounds", "step").out);
    ASSERT_EQ(wav.size(), 44u + StepSamples().size());
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(wav[20], 1);   // integer PCM
    EXPECT_EQ(wav[22], 2);   // channels
    EXPECT_EQ(wav[34], 16);  // bits
    EXPECT_EQ(std::vector<std::uint8_t>(wav.begin() + 44, wav.end()), StepSamples());
    const std::vector<std::uint8_t> floats = AsBytes(Extract("sounds", "hum").out);
    ASSERT_GT(floats.size(), 20u);
    EXPECT_EQ(floats[20], 3);  // IEEE float
}

TEST_F(ToolExtract, OggSoundComesOutAsItsBytes) {
    EXPECT_EQ(AsBytes(Extract("2", "music").out),
              (std::vector<std::uint8_t>{'O', 'g', 'g', 'S', 0, 2, 9}));
}

TEST_F(ToolExtract, UnknownIdsAndOtherKindsAreRefused) {
    const CToolRun missing = Extract("files", "nothing");
    EXPECT_EQ(missing.exitCode, 4);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(Extract("texts", "hello").exitCode, 1);
    EXPECT_EQ(Extract("maps", "room").exitCode, 1);
    EXPECT_EQ(RunTool({"extract", doc_, "files", "blob", "-o", dir_.File("no/dir/x")}).exitCode, 2);
}

class ToolExtractBitmaps : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("pictures.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolExtractBitmaps, SourceBytesComeOutExactly) {
    AppendImageBitmaps(doc_,
                       {{"hero", "C:\\art\\hero.png", kPng, 64, 32}, {"blank", "", {}, 1, 1}});
    EXPECT_EQ(AsBytes(RunTool({"extract", doc_, "bitmaps", "hero"}).out), kPng);
    const CToolRun blank = RunTool({"extract", doc_, "bitmaps", "blank"});
    EXPECT_EQ(blank.exitCode, 0);
    EXPECT_TRUE(blank.out.empty());
    EXPECT_EQ(RunTool({"list", doc_, "--kind", "bitmaps"}).out,
              "bitmaps\t0\thero\t32 Bits, 1 Frames\nbitmaps\t1\tblank\t32 Bits, 1 Frames\n");
}

TEST_F(ToolExtractBitmaps, ExtractAllNeverLeavesTheFolder) {
    AppendImageBitmaps(doc_, {{"../x", "", kPng, 1, 1},
                              {"/etc/passwd", "", kJpeg, 1, 1},
                              {"a\\b", "", {'B', 'M', 0}, 1, 1},
                              {"", "", {7, 7}, 1, 1},
                              {"..", "x.gif", {1}, 1, 1},
                              {"..", "", {1}, 1, 1},
                              {"empty", "e.png", {}, 1, 1}});
    const std::filesystem::path out = dir_.Path() / "out";
    const CToolRun run = RunTool({"extract-all", doc_, out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.Path())) {
        if (entry.is_regular_file() && entry.path().parent_path() != dir_.Path()) {
            EXPECT_EQ(entry.path().parent_path(), out / "bitmaps");
            names.insert(entry.path().filename().string());
        }
    }
    EXPECT_EQ(names, (std::set<std::string>{".._x.png", "_etc_passwd.jpg", "a_b.bmp", "_.bin",
                                            "_.gif", "_ (2).bin"}));
    EXPECT_EQ(ReadFileBytes((out / "bitmaps" / "_etc_passwd.jpg").string()), kJpeg);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6);
    EXPECT_TRUE(std::filesystem::is_directory(out / "files"));
    EXPECT_TRUE(std::filesystem::is_directory(out / "sounds"));
}

TEST_F(ToolExtract, ExtractAllWritesFilesAndSoundsWithoutOverwriting) {
    const std::filesystem::path out = dir_.Path() / "out";
    ASSERT_EQ(RunTool({"extract-all", doc_, out.string()}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes((out / "files" / "blob.bin").string()), EveryByteValue());
    for (const char* name : {"step.wav", "beep.wav", "hum.wav", "music.ogg"}) {
        EXPECT_TRUE(std::filesystem::exists(out / "sounds" / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(out / "sounds" / "silence.wav"));
    ASSERT_EQ(RunTool({"extract-all", doc_, out.string()}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes((out / "files" / "blob (2).bin").string()), EveryByteValue());
}

TEST_F(ToolExtract, ExtractAllDoesNotFollowPlantedLinks) {
    const std::filesystem::path out = dir_.Path() / "out";
    std::filesystem::create_directories(out / "files");
    const std::string victim = dir_.File("victim");
    WriteFileBytes(victim, {'k', 'e', 'e', 'p'});
    std::filesystem::create_symlink(victim, out / "files" / "blob.bin");
    ASSERT_EQ(RunTool({"extract-all", doc_, out.string()}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(victim), AsBytes("keep"));
    EXPECT_EQ(ReadFileBytes((out / "files" / "blob (2).bin").string()), EveryByteValue());
}

}  // namespace
}  // namespace plexion::test
