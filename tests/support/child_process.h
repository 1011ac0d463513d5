#pragma once

#include <string>
#include <vector>

namespace plexion::test {

// Where a child's output goes and where it runs.
struct CChildSetup {
    std::string outPath = "/dev/null";
    std::string errPath = "/dev/null";
    std::string folder;  // the current folder when empty
};

// Runs a program (looked up in PATH when the first argument has no folder
// part) with no input and waits for it. Its exit code, 128 + the signal that
// ended it, or -1 when it could not be started or waited for.
int RunChildProcess(const std::vector<std::string>& arguments, const CChildSetup& setup = {});

}  // namespace plexion::test
