#pragma once

#include <functional>
#include <string>

#include "tool_options.h"

namespace plexion {
class CVKT_ResourceContainer;
}

namespace plexion::tool {

// Adds an item for every PATH argument (the arguments after FILE) with
// `import`, which returns the new item's index or -1. All or nothing: the
// document is saved only when every path was imported; otherwise the command
// fails naming the first path that could not be.
using PathImporter = std::function<int(CVKT_ResourceContainer&, const std::string& path)>;
int ImportPaths(const CToolOptions& options, const PathImporter& import);

}  // namespace plexion::tool
