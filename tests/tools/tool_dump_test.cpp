#include <gtest/gtest.h>

#include "all_kinds.h"
#include "document_fixtures.h"
#include "mini_json.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "text_item.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolDump : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("every.dat");
        WriteEveryKindDocument(doc_);
        const CToolRun run = RunTool({"dump", doc_});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        dump_ = ParseJson(run.out);
    }

    CTempDir dir_;
    std::string doc_;
    CJson dump_;
};

TEST_F(ToolDump, GroupsStandInKindOrder) {
    EXPECT_EQ(dump_["name"].text, "Every kind");
    const CToolRun run = RunTool({"dump", doc_});
    std::size_t last = 0;
    for (const char* group : {"\"texts\"", "\"bitmaps\"", "\"sounds\"", "\"animations\"",
                              "\"trajectories\"", "\"maps\"", "\"colors\"", "\"files\""}) {
        const std::size_t at = run.out.find(group);
        ASSERT_NE(at, std::string::npos) << group;
        EXPECT_GT(at, last) << group;
        last = at;
    }
}

TEST_F(ToolDump, TextsColorsAndFiles) {
    EXPECT_EQ(dump_["texts"][0]["value"].Integer(), -42);
    EXPECT_EQ(dump_["texts"][0]["text"].text, "Hi");
    const CJson& sky = dump_["colors"][0];
    EXPECT_EQ(sky["color"].text, "12ABEF");
    EXPECT_EQ(sky["value"].Integer(), 9);
    const CJson& blob = dump_["files"][0];
    EXPECT_EQ(blob["source"].text, "C:\\data\\blob.bin");
    EXPECT_EQ(blob["size"].Integer(), 256);
    EXPECT_EQ(blob["sha256"].text,
              "40aff2e9d2d8922e47afd4648e6967497158785fbd1da870e7110266bf944880");
}

TEST_F(ToolDump, Sounds) {
    const CJson& step = dump_["sounds"][0];
    EXPECT_EQ(step["storage"].text, "pcm");
    EXPECT_EQ(step["bits"].Integer(), 16);
    EXPECT_EQ(step["channels"].Integer(), 2);
    EXPECT_EQ(step["rate"].Integer(), 22050);
    EXPECT_EQ(step["frames"].Integer(), 3);
    EXPECT_EQ(step["data_size"].Integer(), 12);
    EXPECT_EQ(step["data_sha256"].text.size(), 64u);
    const CJson& music = dump_["sounds"][3];
    EXPECT_EQ(music["storage"].text, "ogg");
    EXPECT_EQ(music["ogg_size"].Integer(), 7);
    EXPECT_EQ(music["ogg_sha256"].text.size(), 64u);
    EXPECT_EQ(music["stream"].members.size(), 7u);
    EXPECT_EQ(music["stream"]["bitrate_window"].Integer(), 0);
}

TEST_F(ToolDump, RegionBitmapAnimationAndMap) {
    const CJson& zone = dump_["bitmaps"][0];
    EXPECT_EQ(zone["kind"].Integer(), 6);
    EXPECT_EQ(zone["width"].text, "4.0");
    EXPECT_EQ(zone["height"].text, "6.0");
    EXPECT_EQ(zone["offset_x"].text, "-0.0");
    EXPECT_EQ(zone["offset_y"].Number(), 0.1);
    ASSERT_EQ(zone["rects"].items.size(), 2u);
    EXPECT_EQ(zone["rects"][1][3].Integer(), 6);
    const CJson& walk = dump_["animations"][0];
    EXPECT_EQ(walk["play_mode"].Integer(), 2);
    ASSERT_EQ(walk["frames"].items.size(), 2u);
    EXPECT_EQ(walk["frames"][0][2].Integer(), -1);
    EXPECT_EQ(walk["frames"][1][1].Integer(), 5);
    const CJson& room = dump_["maps"][0];
    EXPECT_EQ(room["columns"].Integer(), 10);
    EXPECT_EQ(room["lines"].Integer(), 10);
    EXPECT_EQ(room["size_x"].Integer(), 16);
    ASSERT_EQ(room["cells"].items.size(), 10u);
    EXPECT_EQ(room["cells"][2].items.size(), 10u);
    EXPECT_EQ(room["cells"][2][7].Integer(), -5);
    EXPECT_EQ(room["cells"][7][2].Integer(), 0);
}

TEST_F(ToolDump, TrajectoryRealsReadBackExactly) {
    const CJson& hull = dump_["trajectories"][0];
    EXPECT_EQ(hull["type"].Integer(), 2);
    EXPECT_EQ(hull["closed"].Integer(), 1);
    EXPECT_EQ(hull["offset"][0].Integer(), 7);
    EXPECT_EQ(hull["offset"][1].Integer(), -3);
    EXPECT_EQ(hull["center"][0].Number(), 1.0 / 3.0);
    EXPECT_EQ(hull["points"][0][0].Number(), 0.1);
    EXPECT_EQ(hull["points"][0][1].Number(), 1e300);
    EXPECT_EQ(hull["points"][1][1].Number(), 5e-324);
    EXPECT_EQ(hull["center"][1].text, "2.0");
}

TEST(ToolDumpTexts, NonUtf8TextsBecomeHex) {
    RegisterAllResourceKinds();
    CTempDir dir;
    const std::string doc = dir.File("latin.dat");
    CVKT_ResourceContainer resources;
    resources.SetName("caf\xE9");
    const int index = resources.New<CVKT_Text>(
        "\xFF"
        "id");
    resources.GetAt<CVKT_Text>(index)->SetText("d\xC3\xA9j\xC3\xA0 \x01");
    ASSERT_TRUE(resources.Save(doc));
    const CToolRun run = RunTool({"dump", doc});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"text\":\"d\xC3\xA9j\xC3\xA0 \\u0001\""), std::string::npos);
    const CJson dump = ParseJson(run.out);
    EXPECT_EQ(dump["name"]["hex"].text, "636166e9");
    EXPECT_EQ(dump["texts"][0]["id"]["hex"].text, "ff6964");
    EXPECT_EQ(dump["texts"][0]["text"].text, "d\xC3\xA9j\xC3\xA0 \x01");
}

}  // namespace
}  // namespace plexion::test
