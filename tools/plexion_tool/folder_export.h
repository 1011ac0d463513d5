#pragma once

#include "tool_options.h"

namespace plexion::tool {

// export FILE DIR: the document as a folder that version control can diff
// and merge, which build turns back into the same document.
int RunExport(const CToolOptions& options);

}  // namespace plexion::tool
