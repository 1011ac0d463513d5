#pragma once

#include "toolbar_art.h"

namespace plexion {

// The picture of a command's toolbar button, or null when it has none.
const ToolbarIconRows* ToolbarIconArt(int commandId);

}  // namespace plexion
