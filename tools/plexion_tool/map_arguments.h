#pragma once

#include <cstdint>
#include <string>

namespace plexion::tool {

// One "COLUMN,LINE=VALUE" argument of set-cells. VALUE is -32768 to 65535;
// values above 32767 are the same cells as their negative 16-bit
// counterparts (65535 is -1), since cells are read as unsigned indexes.
struct CCellAssignment {
    int column = 0;
    int line = 0;
    std::int16_t value = 0;
};

// A usage error for anything else.
CCellAssignment ParseCellAssignment(const std::string& text);

// A cell size of add-map: at least 1, since drawing divides by it.
std::int32_t ParseCellSize(const std::string& text, const char* what);

}  // namespace plexion::tool
