#pragma once

#include <string>

namespace plexion {

// The file of frame `number` beside `destination`: its base name followed by
// "_" (or "_ALPHA" for the alpha file) and the number in at least six
// digits, with the destination's extension.
std::string FrameFileName(const std::string& destination, int number, bool alpha);

}  // namespace plexion
