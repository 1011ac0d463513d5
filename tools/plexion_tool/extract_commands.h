#pragma once

#include "tool_options.h"

namespace plexion::tool {

// extract: one file, bitmap source or sound to a file or standard output.
// An item without bytes (a bitmap that kept no source) gives an empty file,
// so that scripts can tell "no such item" (exit 4) from "nothing in it".
int RunExtract(const CToolOptions& options);
// extract-all: every file, bitmap source and sound, one folder per kind,
// skipping items without bytes and never overwriting what is there.
int RunExtractAll(const CToolOptions& options);

}  // namespace plexion::tool
