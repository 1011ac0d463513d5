#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The animation commands: make one, replace or print its frames, play it
// step by step as the game clock would, and draw its frames into PNG files.
int RunAddAnimation(const CToolOptions& options);
int RunSetFrames(const CToolOptions& options);
// One line per frame: "INDEX BITMAP DELAY X Y".
int RunFrames(const CToolOptions& options);
int RunPlayAnimation(const CToolOptions& options);
int RunRenderAnimation(const CToolOptions& options);

}  // namespace plexion::tool
