#pragma once

#include <string>

#include "tool_options.h"

namespace plexion::tool {

// Runs the command the options name, after checking its argument count and
// that it accepts each option given; returns the exit code or throws
// CToolFailure.
int RunCommand(const CToolOptions& options);

// The usage text of --help.
std::string UsageText();

}  // namespace plexion::tool
