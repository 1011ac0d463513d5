#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plexion::tool {

// Builds compact JSON text, placing the commas itself. Texts of the document
// are 8-bit byte strings: they become JSON strings when they are valid UTF-8
// and {"hex": "..."} objects of their bytes otherwise, so nothing is lost.
class CJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);

    void Text(std::string_view bytes);
    void Int(std::int64_t value);
    void Real(double value);

    const std::string& Result() const { return out_; }

private:
    void BeforeValue();
    void Quoted(std::string_view utf8);

    std::string out_;
    // Per open object or array: whether it has no member yet.
    std::vector<bool> empty_;
    bool afterKey_ = false;
};

// The shortest text that reads back as the same double, always recognisable
// as a real (".0" added to integral values, "-0.0" kept); NaN and the
// infinities as the strings "NaN", "Infinity" and "-Infinity".
std::string JsonReal(double value);

}  // namespace plexion::tool
