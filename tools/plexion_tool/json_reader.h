#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plexion::tool {

// A JSON text that cannot be read: where (1-based line and column, counted
// in bytes) and what was expected there.
class CJsonSyntaxError : public std::runtime_error {
public:
    CJsonSyntaxError(int line, int column, const std::string& what)
        : std::runtime_error(what), line_(line), column_(column) {}
    int Line() const { return line_; }
    int Column() const { return column_; }

private:
    int line_;
    int column_;
};

// One value of a JSON text with the place it starts at, so that a reader of
// a folder can say where a value it refuses stands. Numbers keep their
// spelling: whether a field wants an integer or a real is the reader's
// business, and a 64-bit integer never goes through a double.
struct CJsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };
    Type type = Type::Null;
    std::string text;  // a string's bytes, a number's spelling, "true"/"false"
    std::vector<CJsonValue> items;
    std::vector<std::pair<std::string, CJsonValue>> members;  // in their order
    int line = 0;
    int column = 0;

    // The member of that name, or null.
    const CJsonValue* Member(std::string_view key) const;
};

// Reads one JSON value (RFC 8259) followed by nothing but white space.
// Strings are given as UTF-8 bytes; an escaped lone surrogate is refused.
// Objects with a repeated member name are refused too: which one would win
// is a guess. Throws CJsonSyntaxError.
CJsonValue ParseJson(std::string_view text);

}  // namespace plexion::tool
