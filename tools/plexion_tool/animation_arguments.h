#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "index_list_item.h"

namespace plexion::tool {

// "B:D:X:Y,B:D:X:Y,..." (bitmap index, delay, offset X, offset Y; whole
// numbers) as frames; an empty text is no frames. A usage error otherwise.
std::vector<CAnimationFrame> ParseFrames(const std::string& text);

// A play mode, 0 to 7; a usage error otherwise.
std::int32_t ParsePlayMode(const std::string& text);

}  // namespace plexion::tool
