#pragma once

#include <string>
#include <string_view>

namespace plexion::tool {

// The name of a group on the command line and in the output ("texts" ...
// "files"), in kind-number order.
std::string KindName(int kind);

// A group named by its name or its kind number 0-7; throws a usage error
// for anything else.
int ParseKind(std::string_view text);

}  // namespace plexion::tool
