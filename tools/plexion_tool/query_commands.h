#pragma once

#include "tool_options.h"

namespace plexion::tool {

// The read-only commands that print lines: info, list, check and expand.
int RunInfo(const CToolOptions& options);
int RunList(const CToolOptions& options);
int RunCheck(const CToolOptions& options);
int RunExpand(const CToolOptions& options);

}  // namespace plexion::tool
