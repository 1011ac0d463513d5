#include <gtest/gtest.h>

#include "mini_json.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolEdit : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_, "--name", "Level 1"}).exitCode, 0);
    }
    std::vector<std::uint8_t> DocumentBytes() const { return ReadFileBytes(doc_); }
    std::string List(const std::string& kind = "") const {
        return kind.empty() ? RunTool({"list", doc_}).out
                            : RunTool({"list", doc_, "--kind", kind}).out;
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolEdit, NewDocumentHoldsTheGameStepParameter) {
    const CToolRun info = RunTool({"info", doc_});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out,
              "name: Level 1\ncomments: No Comments\ntexts: 1\nbitmaps: 0\nsounds: 0\n"
              "animations: 0\ntrajectories: 0\nmaps: 0\ncolors: 0\nfiles: 0\n");
    EXPECT_EQ(List(), "texts\t0\tsettings_one_game_step_delay\t8\n");
    const CJson text = ParseJson(RunTool({"dump", doc_}).out)["texts"][0];
    EXPECT_EQ(text["comments"].text,
              "Delay between each game event.\r\n\r\n8 => 1000 / 8 = 125 fps (default)\r\n"
              "10 => 1000 / 10 = 100 fps");
}

TEST_F(ToolEdit, NewForcedOverwritesWithTheDefaults) {
    ASSERT_EQ(RunTool({"add-text", doc_, "a", "b"}).exitCode, 0);
    ASSERT_EQ(RunTool({"new", doc_, "--force"}).exitCode, 0);
    const CJson dump = ParseJson(RunTool({"dump", doc_}).out);
    EXPECT_EQ(dump["name"].text, "No Name");
    EXPECT_EQ(dump["comments"].text, "No Comments");
    EXPECT_EQ(dump["texts"].items.size(), 1u);
}

TEST_F(ToolEdit, AddedTextsAndColorsReadBack) {
    ASSERT_EQ(RunTool({"add-text", doc_, "hero", "Ann", "--comments", "main"}).exitCode, 0);
    ASSERT_EQ(RunTool({"add-color", doc_, "--comments", "warm", "sun", "ff8001"}).exitCode, 0);
    EXPECT_EQ(List("colors"), "colors\t0\tsun\tAlpha 255, RGB( 255, 128, 1 )\n");
    const CJson dump = ParseJson(RunTool({"dump", doc_}).out);
    EXPECT_EQ(dump["texts"][1]["id"].text, "hero");
    EXPECT_EQ(dump["texts"][1]["text"].text, "Ann");
    EXPECT_EQ(dump["texts"][1]["comments"].text, "main");
    EXPECT_EQ(dump["colors"][0]["color"].text, "FF8001");
    EXPECT_EQ(dump["colors"][0]["alpha"].Integer(), 255);
    EXPECT_EQ(dump["colors"][0]["comments"].text, "warm");
}

TEST_F(ToolEdit, ListEscapesTabsBreaksAndBackslashes) {
    ASSERT_EQ(RunTool({"add-text", doc_, "a\tb", "line1\nline2\r\\end"}).exitCode, 0);
    EXPECT_EQ(List("0"),
              "texts\t0\tsettings_one_game_step_delay\t8\n"
              "texts\t1\ta\\tb\tline1\\nline2\\r\\\\end\n");
}

TEST_F(ToolEdit, ExpandReplacesReferences) {
    ASSERT_EQ(RunTool({"add-text", doc_, "hero", "Ann"}).exitCode, 0);
    ASSERT_EQ(RunTool({"add-text", doc_, "hi", "Hello [hero], [gone]welcome!"}).exitCode, 0);
    const CToolRun run = RunTool({"expand", doc_, "hi"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Hello Ann, welcome!\n");
    EXPECT_EQ(RunTool({"expand", doc_, "nobody"}).exitCode, 4);
}

TEST_F(ToolEdit, AddFileUsesTheTitleAndKeepsTheBytes) {
    const std::string source = dir_.File("photo.final.png");
    WriteFileBytes(source, {0, 1, 2, 0xFF});
    ASSERT_EQ(RunTool({"add-file", doc_, source}).exitCode, 0);
    EXPECT_EQ(List("files"), "files\t0\tphoto.final\t4 Bytes\n");
    const CJson file = ParseJson(RunTool({"dump", doc_}).out)["files"][0];
    EXPECT_EQ(file["source"].text, source);
    EXPECT_EQ(file["size"].Integer(), 4);
    EXPECT_EQ(file["plain"].Integer(), 0);
}

TEST_F(ToolEdit, AddFileIsAllOrNothing) {
    const std::string good = dir_.File("good.bin");
    WriteFileBytes(good, {1, 2, 3});
    const auto before = DocumentBytes();
    const CToolRun run = RunTool({"add-file", doc_, good, dir_.File("missing.bin")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("missing.bin"), std::string::npos);
    EXPECT_EQ(DocumentBytes(), before);
    EXPECT_EQ(RunTool({"add-file", doc_, good, dir_.Path().string()}).exitCode, 2);
    EXPECT_EQ(DocumentBytes(), before);
}

TEST_F(ToolEdit, DeleteAndMoveWorkByIndex) {
    for (const char* id : {"a", "b", "c"}) {
        ASSERT_EQ(RunTool({"add-color", doc_, id, "000000"}).exitCode, 0);
    }
    ASSERT_EQ(RunTool({"move", doc_, "colors", "2", "0"}).exitCode, 0);
    EXPECT_EQ(RunTool({"list", doc_, "--kind", "6"}).out,
              "colors\t0\tc\tAlpha 255, RGB( 0, 0, 0 )\ncolors\t1\ta\tAlpha 255, RGB( 0, 0, 0 )\n"
              "colors\t2\tb\tAlpha 255, RGB( 0, 0, 0 )\n");
    ASSERT_EQ(RunTool({"delete", doc_, "6", "1"}).exitCode, 0);
    const CJson colors = ParseJson(RunTool({"dump", doc_}).out)["colors"];
    ASSERT_EQ(colors.items.size(), 2u);
    EXPECT_EQ(colors[0]["id"].text, "c");
    EXPECT_EQ(colors[1]["id"].text, "b");
}

TEST_F(ToolEdit, IndexesOutOfRangeChangeNothing) {
    const auto before = DocumentBytes();
    EXPECT_EQ(RunTool({"delete", doc_, "texts", "1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"delete", doc_, "texts", "-1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"move", doc_, "texts", "0", "1"}).exitCode, 4);
    EXPECT_EQ(RunTool({"delete", doc_, "maps", "0"}).exitCode, 4);
    EXPECT_EQ(DocumentBytes(), before);
    EXPECT_EQ(RunTool({"move", doc_, "texts", "5", "5"}).exitCode, 0);
    EXPECT_EQ(List(), "texts\t0\tsettings_one_game_step_delay\t8\n");
}

TEST_F(ToolEdit, BadArgumentsAreUsageErrorsThatChangeNothing) {
    const auto before = DocumentBytes();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"add-color", doc_, "x", "12345"},
             {"add-color", doc_, "x", "GG0000"},
             {"delete", doc_, "texts", "one"},
             {"move", doc_, "texts", "0", "1.0"},
             {"delete", doc_, "pictures", "0"},
             {"delete", doc_, "8", "0"},
             {"add-text", doc_, "only-id"},
             {"add-text", doc_, "a", "b", "--kind", "texts"},
             {"add-text", doc_, "a", "b", "--comments"},
         }) {
        const CToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args[0] << " " << args.back();
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
    EXPECT_EQ(DocumentBytes(), before);
}

TEST_F(ToolEdit, DoubleDashLetsTextsStartWithADash) {
    ASSERT_EQ(RunTool({"add-text", doc_, "--", "-id", "--name"}).exitCode, 0);
    EXPECT_EQ(List("texts").substr(List("texts").find('\n') + 1), "texts\t1\t-id\t--name\n");
}

TEST_F(ToolEdit, FailedSaveIsOneLineWithTheReason) {
    const CToolRun run = RunTool({"new", dir_.File("no/such/folder/x.dat")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("Error occured while saving ! (", 0), 0u);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}

TEST_F(ToolEdit, BareFileNamesMeanTheCurrentFolder) {
    const CToolRun made = RunTool({"new", "local.dat"}, dir_.Path().string());
    ASSERT_EQ(made.exitCode, 0);
    EXPECT_EQ(RunTool({"check", "local.dat"}, dir_.Path().string()).out, "OK\n");
    EXPECT_EQ(RunTool({"check", "local.dat"}, dir_.File("..")).exitCode, 2);
}

}  // namespace
}  // namespace plexion::test
