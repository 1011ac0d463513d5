#pragma once

#include <string>
#include <vector>

namespace plexion::test {

// What one run of plexion-tool printed and returned.
struct CToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the real plexion-tool with the arguments, in `folder` when given.
CToolRun RunTool(const std::vector<std::string>& arguments, const std::string& folder = "");

// Runs plexion-tool as on a disk with only `blocks` × 512 bytes left for any
// one file: a write past that fails (SIGXFSZ is ignored), as on a full disk.
CToolRun RunToolOnFullDisk(const std::vector<std::string>& arguments, int blocks);

// Runs a shell command line with "$TOOL" standing for plexion-tool.
CToolRun RunShell(const std::string& commandLine);

}  // namespace plexion::test
