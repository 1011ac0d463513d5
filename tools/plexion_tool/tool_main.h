#pragma once

namespace plexion::tool {

// What plexion-tool's main does: sets the process up, runs the command the
// words name and reports a failure as one line; the exit code.
int ToolMain(int argc, char** argv);

}  // namespace plexion::tool
