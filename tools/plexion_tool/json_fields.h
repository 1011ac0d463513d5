#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "json_reader.h"

namespace plexion::tool {

// Refuses a folder at a place in its JSON file: "FILE:LINE:COLUMN: what".
[[noreturn]] void FailAt(const std::string& file, int line, int column, const std::string& what);

// Reads the members of one JSON object of a document folder, refusing with
// a message that says where (file, line, column), which object ("bitmaps
// item 3 (hero)") and what is wrong. Every refusal throws a CToolFailure.
class CJsonFields {
public:
    CJsonFields(const CJsonValue& object, std::string file, std::string where);

    bool Has(std::string_view key) const { return object_.Member(key) != nullptr; }
    // The member itself; refused when missing.
    const CJsonValue& Get(std::string_view key);
    // A document text: a JSON string, or {"hex": "..."} for bytes that are
    // not UTF-8.
    std::string Text(std::string_view key);
    // A whole number from `low` to `high`.
    std::int64_t Int(std::string_view key, std::int64_t low, std::int64_t high);
    std::int32_t Int32(std::string_view key);
    // A number, or "NaN", "Infinity" or "-Infinity".
    double Real(std::string_view key);
    // An array (of any length).
    const CJsonValue& Array(std::string_view key);
    // Refuses a member none of the readers above asked for: a misspelt name
    // would otherwise be dropped without a word.
    void CheckAllRead() const;

    // The same readings for an element of an array.
    std::int64_t IntOf(const CJsonValue& value, std::int64_t low, std::int64_t high,
                       std::string_view what) const;
    double RealOf(const CJsonValue& value, std::string_view what) const;
    std::string TextOf(const CJsonValue& value, std::string_view what) const;
    // An array of exactly `count` elements.
    void CheckLength(const CJsonValue& value, std::size_t count, std::string_view what) const;

    [[noreturn]] void Fail(const CJsonValue& at, const std::string& what) const;
    const std::string& Where() const { return where_; }

private:
    const CJsonValue& object_;
    std::string file_;
    std::string where_;
    std::set<std::string, std::less<>> read_;
};

}  // namespace plexion::tool
