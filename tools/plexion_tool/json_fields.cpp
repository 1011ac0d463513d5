#include "json_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "tool_failure.h"

namespace plexion::tool {
namespace {

std::string Quoted(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

void FailAt(const std::string& file, int line, int column, const std::string& what) {
    throw CToolFailure(kExitFileProblem, file + ":" + std::to_string(line) + ":" +
                                             std::to_string(column) + ": " + what);
}

CJsonFields::CJsonFields(const CJsonValue& object, std::string file, std::string where)
    : object_(object), file_(std::move(file)), where_(std::move(where)) {
    if (object.type != CJsonValue::Type::Object) {
        Fail(object, "must be a JSON object");
    }
}

void CJsonFields::Fail(const CJsonValue& at, const std::string& what) const {
    FailAt(file_, at.line, at.column, where_ + ": " + what);
}

const CJsonValue& CJsonFields::Get(std::string_view key) {
    const CJsonValue* value = object_.Member(key);
    if (!value) {
        Fail(object_, "the member " + Quoted(key) + " is missing");
    }
    read_.emplace(key);
    return *value;
}

std::string CJsonFields::TextOf(const CJsonValue& value, std::string_view what) const {
    if (value.type == CJsonValue::Type::String) {
        return value.text;
    }
    const CJsonValue* hex = value.type == CJsonValue::Type::Object && value.members.size() == 1
                                ? value.Member("hex")
                                : nullptr;
    if (!hex || hex->type != CJsonValue::Type::String) {
        Fail(value, std::string(what) + " must be a string or {\"hex\": \"...\"}");
    }
    const std::string& digits = hex->text;
    std::string bytes;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0) {
            Fail(*hex, std::string(what) + ": \"hex\" holds a character that is no hex digit");
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    if (digits.size() % 2 != 0) {
        Fail(*hex, std::string(what) + ": \"hex\" must hold two digits per byte");
    }
    return bytes;
}

std::int64_t CJsonFields::IntOf(const CJsonValue& value, std::int64_t low, std::int64_t high,
                                std::string_view what) const {
    std::int64_t number = 0;
    const char* end = value.text.data() + value.text.size();
    const auto result = value.type == CJsonValue::Type::Number
                            ? std::from_chars(value.text.data(), end, number)
                            : std::from_chars_result{end, std::errc::invalid_argument};
    if (result.ec == std::errc() && result.ptr == end && number >= low && number <= high) {
        return number;
    }
    const std::string range = " from " + std::to_string(low) + " to " + std::to_string(high);
    const bool whole = result.ec == std::errc() ? result.ptr == end
                                                : result.ec == std::errc::result_out_of_range;
    if (!whole) {
        Fail(value, std::string(what) + " must be a whole number" + range);
    }
    Fail(value, std::string(what) + " is out of range: " + value.text + " is not" + range);
}

double CJsonFields::RealOf(const CJsonValue& value, std::string_view what) const {
    if (value.type == CJsonValue::Type::String) {
        if (value.text == "NaN") {
            return std::numeric_limits<double>::quiet_NaN();
        }
        if (value.text == "Infinity" || value.text == "-Infinity") {
            const double infinity = std::numeric_limits<double>::infinity();
            return value.text[0] == '-' ? -infinity : infinity;
        }
    }
    if (value.type != CJsonValue::Type::Number) {
        Fail(value,
             std::string(what) + " must be a number (or \"NaN\", \"Infinity\", \"-Infinity\")");
    }
    double number = 0;
    const char* end = value.text.data() + value.text.size();
    const auto result = std::from_chars(value.text.data(), end, number);
    if (result.ec != std::errc() || result.ptr != end) {
        Fail(value, std::string(what) + " is out of range: " + value.text);
    }
    return number;
}

void CJsonFields::CheckLength(const CJsonValue& value, std::size_t count,
                              std::string_view what) const {
    if (value.type != CJsonValue::Type::Array || value.items.size() != count) {
        Fail(value, std::string(what) + " must be an array of " + std::to_string(count) +
                        (count == 1 ? " element" : " elements"));
    }
}

std::string CJsonFields::Text(std::string_view key) {
    return TextOf(Get(key), Quoted(key));
}

std::int64_t CJsonFields::Int(std::string_view key, std::int64_t low, std::int64_t high) {
    return IntOf(Get(key), low, high, Quoted(key));
}

std::int32_t CJsonFields::Int32(std::string_view key) {
    return static_cast<std::int32_t>(Int(key, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()));
}

double CJsonFields::Real(std::string_view key) {
    return RealOf(Get(key), Quoted(key));
}

const CJsonValue& CJsonFields::Array(std::string_view key) {
    const CJsonValue& value = Get(key);
    if (value.type != CJsonValue::Type::Array) {
        Fail(value, Quoted(key) + " must be an array");
    }
    return value;
}

void CJsonFields::CheckAllRead() const {
    for (const auto& [key, value] : object_.members) {
        if (read_.count(key) == 0) {
            Fail(value, "unknown member " + Quoted(key));
        }
    }
}

}  // namespace plexion::tool
