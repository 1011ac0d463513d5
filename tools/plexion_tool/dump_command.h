#pragma once

#include <string>

#include "resource_container.h"
#include "tool_options.h"

namespace plexion::tool {

// The whole document as one JSON object: "name", "comments" and one array
// per group, named as on the command line, in kind order.
std::string DocumentJson(const CVKT_ResourceContainer& resources);

// dump: DocumentJson of FILE on standard output.
int RunDump(const CToolOptions& options);

}  // namespace plexion::tool
