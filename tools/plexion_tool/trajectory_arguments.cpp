#include "trajectory_arguments.h"

#include <charconv>
#include <cmath>

#include "tool_failure.h"

namespace plexion::tool {
namespace {

// The parts of `text` between the separators, empty parts included.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

double ParseReal(const std::string& text, const char* what) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        throw UsageError(std::string(what) + " must be a number, not \"" + text + "\"");
    }
    return value;
}

std::vector<CPathPoint> ParsePoints(const std::string& text) {
    std::vector<CPathPoint> points;
    if (text.empty()) {
        return points;
    }
    for (const std::string& pair : Split(text, ';')) {
        const std::vector<std::string> xy = Split(pair, ',');
        if (xy.size() != 2) {
            throw UsageError("a point must be X,Y, not \"" + pair + "\"");
        }
        points.push_back({ParseReal(xy[0], "a point's X"), ParseReal(xy[1], "a point's Y")});
    }
    return points;
}

}  // namespace plexion::tool
