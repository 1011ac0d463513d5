#include "tool_runner.h"

#include <stdexcept>

#include "child_process.h"
#include "temp_dir.h"

namespace plexion::test {
namespace {

std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

CToolRun RunWords(const std::vector<std::string>& words, const std::string& folder) {
    CTempDir capture;
    CChildSetup setup{capture.File("out"), capture.File("err"), folder};
    CToolRun run;
    run.exitCode = RunChildProcess(words, setup);
    if (run.exitCode < 0) {
        throw std::runtime_error("cannot start plexion-tool");
    }
    run.out = ReadText(setup.outPath);
    run.err = ReadText(setup.errPath);
    return run;
}

}  // namespace

CToolRun RunTool(const std::vector<std::string>& arguments, const std::string& folder) {
    std::vector<std::string> words = {PLEXION_TOOL_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunWords(words, folder);
}

CToolRun RunToolOnFullDisk(const std::vector<std::string>& arguments, int blocks) {
    std::vector<std::string> words = {
        "/bin/sh", "-c", "trap '' XFSZ; ulimit -f " + std::to_string(blocks) + "; exec \"$0\" \"$@\"",
        PLEXION_TOOL_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunWords(words, "");
}

CToolRun RunShell(const std::string& commandLine) {
    return RunWords({"/bin/sh", "-c", "TOOL=\"$0\"; " + commandLine, PLEXION_TOOL_PATH}, "");
}

}  // namespace plexion::test
