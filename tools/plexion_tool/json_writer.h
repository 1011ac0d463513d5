#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plexion::tool {

// Builds JSON text, placing the commas itself. Texts of the document are
// 8-bit byte strings: they become JSON strings when they are valid UTF-8 and
// {"hex": "..."} objects of their bytes otherwise, so nothing is lost.
//
// Compact text is one line. Pretty text is meant for people and for line-
// based tools (diff, git): every member and element on its own line,
// indented by two blanks per level, except inside an object or array begun
// on one line (a point, a rectangle, a map column), which stays on one line
// with all it holds, so that a changed number changes one line.
class CJsonWriter {
public:
    enum class Layout { Compact, Pretty };
    explicit CJsonWriter(Layout layout = Layout::Compact) : layout_(layout) {}

    void BeginObject(bool oneLine = false);
    void EndObject();
    void BeginArray(bool oneLine = false);
    void EndArray();
    void Key(std::string_view key);

    void Text(std::string_view bytes);
    void Int(std::int64_t value);
    void Real(double value);
    // A number already spelt as JSON, written as it stands.
    void Number(std::string_view spelling);

    const std::string& Result() const { return out_; }
    // The text made since the last call, for writing out a long text piece by
    // piece; what follows goes on where it left off.
    std::string TakeText() { return std::exchange(out_, std::string()); }

private:
    struct CLevel {
        bool empty = true;
        bool oneLine = false;
    };
    void BeforeValue();
    void Open(char bracket, bool oneLine);
    void Close(char bracket);
    void NewLine(std::size_t depth);
    void Quoted(std::string_view utf8);

    Layout layout_;
    std::string out_;
    // Per open object or array.
    std::vector<CLevel> levels_;
    bool afterKey_ = false;
};

// A member of the object being written, and the arrays the dumps use (each
// on one line in pretty text).
void IntMember(CJsonWriter& json, const char* key, std::int64_t value);
void RealMember(CJsonWriter& json, const char* key, double value);
void TextMember(CJsonWriter& json, const char* key, std::string_view value);
void IntArray(CJsonWriter& json, std::initializer_list<std::int64_t> values);
void RealPair(CJsonWriter& json, double x, double y);

// The shortest text that reads back as the same double, always recognisable
// as a real (".0" added to integral values, "-0.0" kept); NaN and the
// infinities as the strings "NaN", "Infinity" and "-Infinity".
std::string JsonReal(double value);

}  // namespace plexion::tool
