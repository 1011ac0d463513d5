#pragma once

#include <string>
#include <vector>

#include "trajectory_item.h"

namespace plexion::tool {

// A finite decimal number the user typed ("1.5", "-2", "1e3"); a usage error
// naming `what` otherwise. Read the same whatever the locale.
double ParseReal(const std::string& text, const char* what);

// "X,Y;X,Y;..." as points; "" is no points. A usage error for anything else.
std::vector<CPathPoint> ParsePoints(const std::string& text);

}  // namespace plexion::tool
