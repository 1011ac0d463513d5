#include "map_arguments.h"

#include "argument_values.h"
#include "tool_failure.h"

namespace plexion::tool {

CCellAssignment ParseCellAssignment(const std::string& text) {
    const std::size_t comma = text.find(',');
    const std::size_t equals = text.find('=');
    if (comma == std::string::npos || equals == std::string::npos || equals < comma) {
        throw UsageError("a cell is COLUMN,LINE=VALUE, not \"" + text + "\"");
    }
    const int value = ParseIndex(text.substr(equals + 1), "a cell value");
    if (value < -32768 || value > 65535) {
        throw UsageError("a cell value must be -32768 to 65535, not " + std::to_string(value));
    }
    return {ParseIndex(text.substr(0, comma), "a cell's column"),
            ParseIndex(text.substr(comma + 1, equals - comma - 1), "a cell's line"),
            static_cast<std::int16_t>(static_cast<std::uint16_t>(value))};
}

std::int32_t ParseCellSize(const std::string& text, const char* what) {
    const int size = ParseIndex(text, what);
    if (size < 1) {
        throw UsageError(std::string(what) + " must be at least 1, not " + text);
    }
    return size;
}

}  // namespace plexion::tool
