// Documents changed by several programs at once, files that are not plain
// files, and the messages of refused command lines.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "temp_dir.h"
#include "tool_runner.h"

namespace plexion::test {
namespace {

class ToolSafety : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = dir_.File("game.dat");
        ASSERT_EQ(RunTool({"new", doc_}).exitCode, 0);
    }
    std::string Texts() const { return RunTool({"list", doc_, "--kind", "texts"}).out; }

    CTempDir dir_;
    std::string doc_;
};

TEST_F(ToolSafety, TwoWritersAtOnceNeverLoseAReportedChange) {
    for (int run = 0; run < 25; ++run) {
        ASSERT_EQ(RunTool({"new", doc_, "--force"}).exitCode, 0);
        const CToolRun both = RunShell("D='" + doc_ +
                                       "'; \"$TOOL\" add-text \"$D\" A a & a=$!; "
                                       "\"$TOOL\" add-text \"$D\" B b & b=$!; "
                                       "wait $a; ea=$?; wait $b; echo $ea $?");
        std::istringstream codes(both.out);
        int first = -1;
        int second = -1;
        codes >> first >> second;
        const std::string texts = Texts();
        EXPECT_TRUE(first != 0 || texts.find("\tA\t") != std::string::npos) << run << texts;
        EXPECT_TRUE(second != 0 || texts.find("\tB\t") != std::string::npos) << run << texts;
        EXPECT_TRUE(first == 0 || first == 2) << both.err;
        EXPECT_TRUE(second == 0 || second == 2) << both.err;
    }
}

TEST_F(ToolSafety, AChangeWaitsForAnotherWriterThenGivesUpWithoutSaving) {
    const std::vector<std::uint8_t> before = ReadFileBytes(doc_);
    const int held = ::open(doc_.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const CToolRun refused = RunTool({"add-text", doc_, "a", "b", "--wait", "0.2"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("is being changed by another program"), std::string::npos)
        << refused.err;
    EXPECT_EQ(RunTool({"check", doc_}).out, "OK\n");
    ::close(held);
    EXPECT_EQ(ReadFileBytes(doc_), before);
    EXPECT_EQ(RunTool({"add-text", doc_, "a", "b", "--wait", "0.2"}).exitCode, 0);
    EXPECT_EQ(RunTool({"add-text", doc_, "a", "b", "--wait", "soon"}).exitCode, 1);
}

TEST_F(ToolSafety, NewRefusesAnExistingFileUnlessForced) {
    ASSERT_EQ(RunTool({"add-text", doc_, "keep", "me"}).exitCode, 0);
    const CToolRun refused = RunTool({"new", doc_});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("already exists; --force replaces it"), std::string::npos);
    EXPECT_NE(Texts().find("keep"), std::string::npos);
    EXPECT_EQ(RunTool({"new", doc_, "--force"}).exitCode, 0);
    EXPECT_EQ(Texts().find("keep"), std::string::npos);
}

TEST_F(ToolSafety, AProtectedDocumentIsNotReplaced) {
    ASSERT_EQ(::chmod(doc_.c_str(), 0444), 0);
    // The superuser may write any file, so the tool then runs as nobody, in
    // a folder anyone may write.
    ASSERT_EQ(::chmod(dir_.Path().c_str(), 0777), 0);
    const std::string user =
        ::geteuid() == 0 ? "setpriv --reuid 65534 --regid 65534 --clear-groups " : "";
    const CToolRun refused = RunShell(user + "\"$TOOL\" add-text '" + doc_ + "' a b");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("Permission denied"), std::string::npos) << refused.err;
    EXPECT_EQ(Texts().find("\ta\t"), std::string::npos);
}

TEST_F(ToolSafety, PipesAreReadAndFifosNeverWait) {
    const CToolRun piped = RunShell("cat '" + doc_ + "' | \"$TOOL\" info /dev/stdin");
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out.rfind("name: No Name\n", 0), 0u) << piped.out;
    const CToolRun change = RunShell("cat '" + doc_ + "' | \"$TOOL\" add-text /dev/stdin a b");
    EXPECT_EQ(change.exitCode, 2);
    EXPECT_NE(change.err.find("not a regular file"), std::string::npos) << change.err;

    const std::string fifo = dir_.File("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(RunTool({"info", fifo}).exitCode, 2);
    EXPECT_EQ(RunTool({"add-file", doc_, fifo}).exitCode, 2);
}

TEST_F(ToolSafety, RefusalsSayWhatIsWrong) {
    const CToolRun steps = RunTool({"play-animation", doc_, "x", "--steps", "99999999999"});
    EXPECT_EQ(steps.exitCode, 1);
    EXPECT_NE(steps.err.find("must be a number from -2147483648 to 2147483647"), std::string::npos)
        << steps.err;
    EXPECT_NE(RunTool({"delete", doc_, "texts", "x"}).err.find("must be a number, not"),
              std::string::npos);
}

}  // namespace
}  // namespace plexion::test
