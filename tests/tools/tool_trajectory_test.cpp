#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mini_json.h"
#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

struct CPoint {
    double x;
    double y;
};

class ToolTrajectories : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    void Add(const std::string& id, const std::string& points,
             const std::vector<std::string>& extra = {}) {
        std::vector<std::string> arguments = {"add-trajectory", doc_, id, "--points", points};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CToolRun run = RunTool(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    CToolRun Path(const std::string& id, const std::string& operation, const std::string& value) {
        return RunTool({"path", doc_, id, operation, value});
    }
    CJson Dump() const { return ParseJson(RunTool({"dump", doc_}).out); }
    std::vector<CPoint> Points(int index) const {
        std::vector<CPoint> points;
        const CJson dump = Dump();
        for (const CJson& p : dump["trajectories"][index]["points"].items) {
            points.push_back({p[0].Number(), p[1].Number()});
        }
        return points;
    }
    void ExpectPoints(int index, const std::vector<CPoint>& expected, double tolerance = 1e-9) {
        const std::vector<CPoint> points = Points(index);
        ASSERT_EQ(points.size(), expected.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].x, expected[i].x, tolerance) << "point " << i;
            EXPECT_NEAR(points[i].y, expected[i].y, tolerance) << "point " << i;
        }
    }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolTrajectories, AddStoresThePointsTypeAndClosedFlag) {
    Add("hull", "0,0;10.5,-2;1e2,3", {"--type", "2", "--closed"});
    Add("walk", "");
    const CJson dump = Dump();
    const CJson& hull = dump["trajectories"][0];
    EXPECT_EQ(hull["id"].text, "hull");
    EXPECT_EQ(hull["type"].Integer(), 2);
    EXPECT_EQ(hull["closed"].Integer(), 1);
    ExpectPoints(0, {{0, 0}, {10.5, -2}, {100, 3}});
    EXPECT_EQ(dump["trajectories"][1]["type"].Integer(), 0);
    EXPECT_EQ(dump["trajectories"][1]["closed"].Integer(), 0);
    EXPECT_TRUE(dump["trajectories"][1]["points"].items.empty());
    EXPECT_EQ(RunTool({"list", doc_, "--kind", "trajectories"}).out,
              "trajectories\t0\thull\t3 Points, 48 Bytes, Mass Center[ 0.000, 0.000 ]\n"
              "trajectories\t1\twalk\t0 Points, 0 Bytes\n");
}

TEST_F(ToolTrajectories, BadPointsOrTypesChangeNothing) {
    const std::vector<std::uint8_t> before = ReadFileBytes(doc_);
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--points", "1,2;3"},
                                               {"--points", "1,2;"},
                                               {"--points", "1,2,3"},
                                               {"--points", "a,b"},
                                               {"--points", "nan,1"},
                                               {"--points", "1e400,1"},
                                               {"--points", "1,1", "--type", "3"},
                                               {"--points", "1,1", "--type", "-1"},
                                               {"--points", "1,1", "--type", "x"}}) {
        std::vector<std::string> command = {"add-trajectory", doc_, "t"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const CToolRun run = RunTool(command);
        EXPECT_EQ(run.exitCode, 1) << arguments[1];
        EXPECT_NE(run.err, "");
    }
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolTrajectories, PathOperationsReshapeThePointsAndClampTheirValues) {
    Add("q", "1.3,-0.7;-1.5,2.9");
    Add("s", "0,0;10,0;20,0;30,0");
    Add("r", "0,0;10,0;10,10");
    Add("r0", "0,0;0.05,0");
    Add("s0", "0,0;10,0;20,0;30,0");
    ASSERT_EQ(Path("q", "quantify", "0.5").exitCode, 0);
    ASSERT_EQ(Path("s", "smooth", "3").exitCode, 0);
    ASSERT_EQ(Path("r", "resample", "5").exitCode, 0);
    ASSERT_EQ(Path("r0", "resample", "0").exitCode, 0);
    ASSERT_EQ(Path("s0", "smooth", "20000").exitCode, 0);
    ExpectPoints(0, {{1.0, -0.5}, {-1.5, 2.5}});
    ExpectPoints(1, {{0, 0}, {5, 0}, {12.5, 0}, {21.25, 0}});
    ExpectPoints(2, {{0, 0}, {5.1, 0}, {10, 1.1}, {10, 6.2}}, 1e-6);
    ExpectPoints(3, {{0, 0}, {0.01005, 0}, {0.0201, 0}, {0.03015, 0}, {0.0402, 0}}, 1e-9);
    ExpectPoints(4, {{15, 0}, {18.75, 0}, {20.9375, 0}, {21.171875, 0}});
}

TEST_F(ToolTrajectories, ValuesBeyondTheirRangeActAsTheLimit) {
    const std::string points = "0,0;10,0;20,0;35,0;40,0;70,0;71.3,-0.7";
    const struct {
        const char* operation;
        const char* beyond;
        const char* limit;
    } cases[] = {{"smooth", "99999999999", "10000"}, {"smooth", "-99999999999", "2"},
                 {"resample", "1e999", "10000"},     {"resample", "-1e999", "0.01"},
                 {"quantify", "1e-999", "0.001"},    {"quantify", "123456789", "10000"}};
    int index = 0;
    for (const auto& c : cases) {
        const std::string beyond = "beyond" + std::to_string(index);
        const std::string limit = "limit" + std::to_string(index);
        Add(beyond, points);
        Add(limit, points);
        const CToolRun run = Path(beyond, c.operation, c.beyond);
        ASSERT_EQ(run.exitCode, 0) << c.operation << " " << c.beyond << ": " << run.err;
        ASSERT_EQ(Path(limit, c.operation, c.limit).exitCode, 0);
        const std::vector<CPoint> expected = Points(index + 1);
        ExpectPoints(index, expected, 0.0);
        index += 2;
    }
}

TEST_F(ToolTrajectories, RemoveAllEmptiesOnlyTheNamedTrajectory) {
    Add("a", "1,2;3,4");
    Add("b", "5,6");
    const CToolRun run = RunTool({"path", doc_, "a", "remove-all"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    ExpectPoints(0, {});
    ExpectPoints(1, {{5, 6}});
}

TEST_F(ToolTrajectories, NoiseMovesPointsTowardPositiveXAndYWithinTheLevel) {
    std::string points;
    for (int i = 0; i < 100; ++i) {
        points += (i ? ";" : "") + std::to_string(i) + ",0";
    }
    Add("n", points);
    ASSERT_EQ(Path("n", "noise", "3").exitCode, 0);
    const std::vector<CPoint> noisy = Points(0);
    ASSERT_EQ(noisy.size(), 100u);
    bool moved = false;
    for (std::size_t i = 0; i < noisy.size(); ++i) {
        EXPECT_GE(noisy[i].x - static_cast<double>(i), 0.0);
        EXPECT_LE(noisy[i].x - static_cast<double>(i), 3.0);
        EXPECT_GE(noisy[i].y, 0.0);
        EXPECT_LE(noisy[i].y, 3.0);
        moved = moved || noisy[i].y > 0.0;
    }
    EXPECT_TRUE(moved);
}

TEST_F(ToolTrajectories, PathRefusesWhatItCannotUse) {
    Add("p", "0,0;1,1");
    const std::vector<std::uint8_t> before = ReadFileBytes(doc_);
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
    } cases[] = {
        {{"p", "twist", "1"}, 1},       {{"p", "smooth", "2.5"}, 1},
        {{"p", "quantify", "x"}, 1},    {{"p", "noise", "nan"}, 1},
        {{"p", "noise", "inf"}, 1},     {{"p", "resample", ""}, 1},
        {{"p", "remove-all", "1"}, 1},  {{"p", "smooth"}, 1},
        {{"p", "quantify", "1e"}, 1},   {{"missing", "smooth", "2"}, 4},
        {{"missing", "remove-all"}, 4},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command = {"path", doc_};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const CToolRun run = RunTool(command);
        const std::string words = command[3] + " " + (command.size() > 4 ? command[4] : "");
        EXPECT_EQ(run.exitCode, c.exitCode) << words;
        EXPECT_NE(run.err, "") << words;
        // Only a command line the tool cannot read points to the help.
        EXPECT_EQ(run.err.find("--help") != std::string::npos, c.exitCode == 1) << words;
    }
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolTrajectories, ToRegionUnitesTheNamedShapesIntoANewRegionBitmap) {
    Add("A", "0,0;4,0;4,2;0,2");
    Add("B", "9,9;12,12");
    Add("C", "10,0;12,0;12,1;10,1");
    ASSERT_EQ(RunTool({"to-region", doc_, "A", "B", "C"}).exitCode, 0);
    ASSERT_EQ(RunTool({"to-region", doc_, "C"}).exitCode, 0);
    const CJson bitmaps = Dump()["bitmaps"];
    ASSERT_EQ(bitmaps.items.size(), 2u);
    EXPECT_EQ(bitmaps[0]["id"].text, "New Region");
    EXPECT_EQ(bitmaps[0]["kind"].Integer(), 6);
    EXPECT_EQ(bitmaps[0]["comments"].text, "Trajectories: A, B, C");
    std::vector<std::vector<long long>> rects;
    for (const CJson& r : bitmaps[0]["rects"].items) {
        rects.push_back({r[0].Integer(), r[1].Integer(), r[2].Integer(), r[3].Integer()});
    }
    EXPECT_EQ(rects,
              (std::vector<std::vector<long long>>{{0, 0, 4, 1}, {10, 0, 12, 1}, {0, 1, 4, 2}}));
    EXPECT_EQ(bitmaps[1]["id"].text, "New Region");
    EXPECT_EQ(bitmaps[1]["comments"].text, "Trajectories: C");
}

TEST_F(ToolTrajectories, ToRegionChangesNothingWhenAShapeCannotBeARegion) {
    Add("A", "0,0;4,0;4,2");
    Add("tall", "0,0;5,0;0,200000");
    const std::vector<std::uint8_t> before = ReadFileBytes(doc_);
    const CToolRun missing = RunTool({"to-region", doc_, "A", "nope"});
    EXPECT_EQ(missing.exitCode, 4);
    const CToolRun tall = RunTool({"to-region", doc_, "A", "tall"});
    EXPECT_EQ(tall.exitCode, 1);
    EXPECT_NE(tall.err.find("\"tall\""), std::string::npos) << tall.err;
    EXPECT_EQ(tall.err.find("--help"), std::string::npos) << tall.err;
    EXPECT_EQ(ReadFileBytes(doc_), before);
}

TEST_F(ToolTrajectories, CenterOfMassStoresAndPrintsTheVertexMean) {
    Add("hull", "0,0;5,0;10,0;10,10;0,10", {"--type", "2"});
    Add("empty", "");
    const CToolRun run = RunTool({"center-of-mass", doc_, "hull", "empty"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "hull\t5.0\t4.0\nempty\t0.0\t0.0\n");
    const CJson center = Dump()["trajectories"][0]["center"];
    EXPECT_EQ(center[0].Number(), 5.0);
    EXPECT_EQ(center[1].Number(), 4.0);
    EXPECT_EQ(RunTool({"list", doc_, "--kind", "trajectories"}).out,
              "trajectories\t0\thull\t5 Points, 80 Bytes, Mass Center[ 5.000, 4.000 ]\n"
              "trajectories\t1\tempty\t0 Points, 0 Bytes\n");
    EXPECT_EQ(RunTool({"center-of-mass", doc_, "nope"}).exitCode, 4);
}

}  // namespace
}  // namespace plexion::test
