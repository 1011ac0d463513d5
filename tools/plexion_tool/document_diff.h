#pragma once

#include "tool_options.h"

namespace plexion::tool {

// diff A B: what differs between two documents, group by group: the items
// added, removed, moved and changed (field by field; payloads by size and
// SHA-256), one line each. Exit code 0 when they are equal, 1 when not.
int RunDiff(const CToolOptions& options);

}  // namespace plexion::tool
