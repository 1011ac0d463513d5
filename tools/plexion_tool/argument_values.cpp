#include "argument_values.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "tool_failure.h"

namespace plexion::tool {

int ParseIndex(const std::string& text, const char* what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError(std::string(what) + " must be a number, not \"" + text + "\"");
    }
    return value;
}

std::uint32_t ParseColor(const std::string& text) {
    std::uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const bool allHex = text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
                            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                        });
    if (!allHex || std::from_chars(text.data(), end, rgb, 16).ptr != end) {
        throw UsageError("the color must be six hex digits RRGGBB, not \"" + text + "\"");
    }
    const std::uint32_t red = rgb >> 16;
    const std::uint32_t green = (rgb >> 8) & 0xFF;
    const std::uint32_t blue = rgb & 0xFF;
    return red | green << 8 | blue << 16;
}

}  // namespace plexion::tool
