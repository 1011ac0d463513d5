#pragma once

#include "find_options.h"

class QWidget;

namespace plexion {

// The "Find Text" form: the search text, how to compare, where to look and
// what to do with what is found. On OK the chosen values are written into
// `options` and true is returned; Cancel leaves `options` as it was.
bool AskFindOptions(QWidget* parent, CFindOptions& options);

}  // namespace plexion
