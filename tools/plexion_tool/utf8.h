#pragma once

#include <string_view>

namespace plexion::tool {

// True when the bytes are well-formed UTF-8: no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

}  // namespace plexion::tool
