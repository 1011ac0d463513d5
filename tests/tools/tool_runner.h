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

}  // namespace plexion::test
