#include <gtest/gtest.h>

#include "document_fixtures.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolOpen : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolOpen, CheckSaysOkForACleanDocument) {
    const CToolRun run = RunTool({"check", doc_});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "OK\n");
    EXPECT_TRUE(run.err.empty());
}

TEST_F(ToolOpen, MissingFileIsExitTwo) {
    const CToolRun run = RunTool({"info", dir_.File("missing.dat")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("cannot open"), std::string::npos);
    EXPECT_EQ(RunTool({"check", dir_.Path().string()}).exitCode, 2);
}

TEST_F(ToolOpen, WrongTypeIsExitTwo) {
    const std::string text = dir_.File("notes.dat");
    WriteFileBytes(text, {'h', 'e', 'l', 'l', 'o'});
    const CToolRun run = RunTool({"check", text});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Wrong file type !\n");
    EXPECT_TRUE(run.out.empty());
}

TEST_F(ToolOpen, TruncatedDocumentIsRefusedEverywhere) {
    ASSERT_EQ(RunTool({"add-text", doc_, "story", std::string(300, 'x')}).exitCode, 0);
    std::vector<std::uint8_t> bytes = ReadFileBytes(doc_);
    bytes.resize(bytes.size() - 10);
    WriteFileBytes(doc_, bytes);
    for (const char* command : {"check", "info", "list", "dump"}) {
        const CToolRun run = RunTool({command, doc_});
        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_NE(run.err.find("file broken"), std::string::npos) << command;
        EXPECT_TRUE(run.out.empty()) << command;
    }
    EXPECT_EQ(RunTool({"add-text", doc_, "a", "b"}).exitCode, 2);
    EXPECT_EQ(ReadFileBytes(doc_), bytes);
}

TEST_F(ToolOpen, UnknownChunkIsExitTwo) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(doc_);
    // A chunk separator, then a tag that names no group.
    bytes.insert(bytes.end(), {0, 3, 'A', 'B', 'C'});
    WriteFileBytes(doc_, bytes);
    const CToolRun run = RunTool({"check", doc_});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(run.err.empty());
}

TEST_F(ToolOpen, OldVersionIsRefusedUnlessAccepted) {
    const std::string old = dir_.File("old.dat");
    WriteHeaderOnly(old, 2);
    AppendImageBitmaps(old, {{"pic", "p.png", {1, 2}, 2, 2}});
    const CToolRun refused = RunTool({"list", old});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.rfind("Older or wrong file version ! Do you still want to load this "
                                "file ? No",
                                0),
              0u);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1);
    const CToolRun accepted = RunTool({"list", old, "--accept-old-version"});
    EXPECT_EQ(accepted.exitCode, 0);
    EXPECT_EQ(accepted.out, "bitmaps\t0\tpic\t32 Bits, 1 Frames\n");
}

TEST_F(ToolOpen, PasswordGatesEveryCommand) {
    const std::string locked = dir_.File("locked.dat");
    WritePasswordDocument(locked, "Secret");
    const CToolRun without = RunTool({"info", locked});
    EXPECT_EQ(without.exitCode, 3);
    EXPECT_EQ(without.err, "plexion-tool: \"" + locked +
                               "\" is protected by a password; give it with --password\n");
    EXPECT_TRUE(without.out.empty());
    const CToolRun wrong = RunTool({"dump", locked, "--password", "secret"});
    EXPECT_EQ(wrong.exitCode, 3);
    EXPECT_EQ(wrong.err, "plexion-tool: the password given for \"" + locked + "\" is wrong\n");
    EXPECT_EQ(RunTool({"check", locked, "--password="}).exitCode, 3);
    EXPECT_EQ(RunTool({"add-text", locked, "a", "b", "--password", "x"}).exitCode, 3);
    EXPECT_EQ(RunTool({"check", locked, "--password", "Secret"}).out, "OK\n");
    EXPECT_EQ(RunTool({"--password", "Secret", "add-text", locked, "a", "b"}).exitCode, 0);
    EXPECT_EQ(RunTool({"check", doc_, "--password", "anything"}).exitCode, 0);
}

TEST_F(ToolOpen, EmptyPasswordOpensFreely) {
    const std::string open = dir_.File("open.dat");
    WritePasswordDocument(open, "");
    EXPECT_EQ(RunTool({"check", open}).exitCode, 0);
}

TEST(ToolUsage, HelpAndBadCommandLines) {
    const CToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("extract-all FILE DIR"), std::string::npos);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate", "x.dat"},
                                               {"info"},
                                               {"info", "a.dat", "b.dat"},
                                               {"info", "a.dat", "--bogus"},
                                               {"list", "a.dat", "--kind", "sprites"},
                                               {"extract", "a.dat", "files"},
                                               {"info", "a.dat", "-o"}}) {
        const CToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);
    }
}

}  // namespace
}  // namespace plexion::test
