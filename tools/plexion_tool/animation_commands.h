#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The animation commands: make one, play it step by step as the game clock
// would, and draw its frames into PNG files.
int RunAddAnimation(const CToolOptions& options);
int RunPlayAnimation(const CToolOptions& options);
int RunRenderAnimation(const CToolOptions& options);

}  // namespace plexion::tool
