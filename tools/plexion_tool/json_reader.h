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

// Reads JSON (RFC 8259) front to back. Strings are given as UTF-8 bytes; an
// escaped lone surrogate is refused. Objects with a repeated member name are
// refused too: which one would win is a guess. Every method throws
// CJsonSyntaxError.
//
// A long text need not become one tree: a reader can step through the
// outer objects and arrays and take whole values only where it wants them.
class CJsonStream {
public:
    explicit CJsonStream(std::string_view text) : text_(text) {}

    // A whole value.
    CJsonValue Value();
    // Steps into an object or array, which must come next.
    void EnterObject();
    void EnterArray();
    // The next member's name (then its value is next), or false at the end
    // of the object entered last.
    bool NextMember(std::string& key);
    // True while the array entered last has another element (next).
    bool NextElement();
    // Nothing but white space may follow.
    void End();
    // Where the next token starts.
    int Line();
    int Column();
    // How many bytes of the text have been read; the stream never looks
    // back before them.
    std::size_t Position() const { return pos_; }

private:
    [[noreturn]] void Fail(const std::string& what) const;
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void SkipSpace();
    void Expect(char wanted, const char* what);
    bool Word(std::string_view word);
    void ParseInto(CJsonValue& value, int depth);
    void ObjectInto(CJsonValue& value, int depth);
    void ArrayInto(CJsonValue& value, int depth);
    std::string Number();
    unsigned HexQuad();
    unsigned EscapedCodePoint();
    std::string String();
    bool Continues(char close, const char* what);

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    // Per object or array entered: whether an element or member was read.
    std::vector<bool> started_;
};

// One JSON value followed by nothing but white space.
CJsonValue ParseJson(std::string_view text);

}  // namespace plexion::tool
