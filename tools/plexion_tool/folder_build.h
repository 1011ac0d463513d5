#pragma once

#include "tool_options.h"

namespace plexion::tool {

// build DIR FILE: the document that a folder written by export describes.
// A folder with any fault is refused, naming the item and the place in
// document.json, and nothing is written.
int RunBuild(const CToolOptions& options);

}  // namespace plexion::tool
