#include "animation_arguments.h"

#include "argument_values.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

}  // namespace

std::vector<CAnimationFrame> ParseFrames(const std::string& text) {
    std::vector<CAnimationFrame> frames;
    if (text.empty()) {
        return frames;
    }
    for (const std::string& frame : Split(text, ',')) {
        const std::vector<std::string> fields = Split(frame, ':');
        if (fields.size() != 4) {
            throw UsageError("a frame is BITMAP:DELAY:X:Y, not \"" + frame + "\"");
        }
        frames.push_back({ParseIndex(fields[0], "a frame's bitmap index"),
                          ParseIndex(fields[1], "a frame's delay"),
                          ParseIndex(fields[2], "a frame's offset X"),
                          ParseIndex(fields[3], "a frame's offset Y")});
    }
    return frames;
}

std::int32_t ParsePlayMode(const std::string& text) {
    const int mode = ParseIndex(text, "the play mode");
    if (mode < 0 || mode >= CVKT_IndexList::kPlayModeCount) {
        throw UsageError("the play mode must be 0 to 7, not " + text);
    }
    return mode;
}

}  // namespace plexion::tool
