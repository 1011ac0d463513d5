#pragma once

#include "wmf_library.h"

namespace plexion {

// Sets the callbacks that draw lines, shapes, fills and bitmaps.
void AddWmfShapeCallbacks(wmfFunctionReference& functions);

}  // namespace plexion
