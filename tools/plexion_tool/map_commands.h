#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The map commands: make one, set cells, resize it as the Maps panel does
// (a reduction only with --yes), draw it into a PNG file, and make one from a
// picture cut into tiles.
int RunAddMap(const CToolOptions& options);
int RunSetCells(const CToolOptions& options);
int RunResizeMap(const CToolOptions& options);
int RunRenderMap(const CToolOptions& options);
int RunSplitToMap(const CToolOptions& options);

}  // namespace plexion::tool
