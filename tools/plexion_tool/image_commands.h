#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The picture commands of the Bitmaps panel: insert, export, crop to the
// alpha channel, make a colour transparent, replace a colour, reload.
int RunAddImage(const CToolOptions& options);
int RunExportImage(const CToolOptions& options);
int RunCrop(const CToolOptions& options);
int RunSetAlpha(const CToolOptions& options);
int RunChangeColor(const CToolOptions& options);
int RunReloadImage(const CToolOptions& options);

}  // namespace plexion::tool
