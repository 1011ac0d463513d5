#include "argument_values.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "tool_failure.h"

namespace plexion::tool {

namespace {

[[noreturn]] void NotANumber(const std::string& text, const char* what) {
    throw UsageError(std::string(what) + " must be a number, not \"" + text + "\"");
}

// The value of a decimal numeral too large or too small for a double: the
// C library rounds it to infinity or zero with its sign, in the "C" locale
// whatever the user's is.
double OutOfRangeReal(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

int ParseIndex(const std::string& text, const char* what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::result_out_of_range && stop == end) {
        throw UsageError(std::string(what) + " must be a number from " +
                         std::to_string(std::numeric_limits<int>::min()) + " to " +
                         std::to_string(std::numeric_limits<int>::max()) + ", not " + text);
    }
    if (text.empty() || error != std::errc() || stop != end) {
        NotANumber(text, what);
    }
    return value;
}

int ParseSaturatingInt(const std::string& text, const char* what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || stop != end) {
        NotANumber(text, what);
    }
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? std::numeric_limits<int>::min()
                                   : std::numeric_limits<int>::max();
    }
    if (error != std::errc()) {
        NotANumber(text, what);
    }
    return value;
}

double ParseSaturatingReal(const std::string& text, const char* what) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || stop != end) {
        NotANumber(text, what);
    }
    if (error == std::errc::result_out_of_range) {
        return OutOfRangeReal(text);
    }
    if (error != std::errc() || !std::isfinite(value)) {
        NotANumber(text, what);
    }
    return value;
}

std::int64_t ParseSecondsAsMilliseconds(const std::string& text, const char* what) {
    constexpr double kMaxSeconds = 3600;
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    if (text.empty() || error != std::errc() || stop != end || !(seconds >= 0) ||
        seconds > kMaxSeconds) {
        throw UsageError(std::string(what) + " must be a number of seconds from 0 to 3600, not \"" +
                         text + "\"");
    }
    return static_cast<std::int64_t>(std::llround(seconds * 1000));
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
