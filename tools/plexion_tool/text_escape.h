#pragma once

#include <string>
#include <string_view>

namespace plexion::tool {

// One field of a tab-separated line: tab, line feed, carriage return and
// backslash become \t, \n, \r and \\ so that every item stays on one line.
std::string EscapeField(std::string_view text);

// A multi-line message as one line: each run of line breaks becomes a blank.
std::string FoldLines(std::string_view text);

}  // namespace plexion::tool
