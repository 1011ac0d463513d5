#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The commands that change a document and save it: new, add-text,
// add-color, add-file, delete and move.
int RunNew(const CToolOptions& options);
int RunAddText(const CToolOptions& options);
int RunAddColor(const CToolOptions& options);
int RunAddFile(const CToolOptions& options);
int RunDelete(const CToolOptions& options);
int RunMove(const CToolOptions& options);

}  // namespace plexion::tool
