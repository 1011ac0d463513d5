#pragma once

#include "tool_options.h"

namespace plexion::tool {

// Conversions between an AVI movie and numbered picture files, and the
// list of codecs a movie may be written with.
int RunImagesToAvi(const CToolOptions& options);
int RunAviToImages(const CToolOptions& options);
int RunCodecs(const CToolOptions& options);

}  // namespace plexion::tool
