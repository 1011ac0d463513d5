#pragma once

#include "tool_options.h"

namespace plexion::tool {

// extract: one file, bitmap source or sound to a file or standard output.
int RunExtract(const CToolOptions& options);
// extract-all: every file, bitmap source and sound, one folder per kind.
int RunExtractAll(const CToolOptions& options);

}  // namespace plexion::tool
