#include "json_reader.h"

#include <algorithm>

namespace plexion::tool {
namespace {

// Nesting deeper than any document the tool writes is refused before the
// stack could run out.
constexpr int kMaxDepth = 64;

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

void CJsonStream::Fail(const std::string& what) const {
    throw CJsonSyntaxError(line_, static_cast<int>(pos_ - lineStart_) + 1, what);
}

void CJsonStream::SkipSpace() {
    while (!AtEnd()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            lineStart_ = pos_ + 1;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            return;
        }
        ++pos_;
    }
}

void CJsonStream::Expect(char wanted, const char* what) {
    SkipSpace();
    if (Peek() != wanted) {
        Fail(std::string("expected ") + what);
    }
    ++pos_;
}

// Parses in place: a long array is built without moving each element.
void CJsonStream::ParseInto(CJsonValue& value, int depth) {
    SkipSpace();
    value.line = line_;
    value.column = static_cast<int>(pos_ - lineStart_) + 1;
    if (depth > kMaxDepth) {
        Fail("values nested too deeply");
    }
    const char c = Peek();
    if (c == '{') {
        ObjectInto(value, depth);
    } else if (c == '[') {
        ArrayInto(value, depth);
    } else if (c == '"') {
        value.type = CJsonValue::Type::String;
        value.text = String();
    } else if (c == '-' || (c >= '0' && c <= '9')) {
        value.type = CJsonValue::Type::Number;
        value.text = Number();
    } else if (Word("true") || Word("false")) {
        value.type = CJsonValue::Type::Boolean;
        value.text = c == 't' ? "true" : "false";
    } else if (Word("null")) {
        value.type = CJsonValue::Type::Null;
    } else {
        Fail(AtEnd() ? "the text ends where a value should follow" : "expected a value");
    }
}

bool CJsonStream::Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) {
        return false;
    }
    pos_ += word.size();
    return true;
}

void CJsonStream::ObjectInto(CJsonValue& value, int depth) {
    value.type = CJsonValue::Type::Object;
    ++pos_;
    SkipSpace();
    if (Peek() == '}') {
        ++pos_;
        return;
    }
    for (;;) {
        SkipSpace();
        if (Peek() != '"') {
            Fail("expected a member name in double quotes");
        }
        const int line = line_;
        const std::size_t column = pos_ - lineStart_ + 1;
        std::string key = String();
        if (value.Member(key)) {
            throw CJsonSyntaxError(line, static_cast<int>(column),
                                   "the member \"" + key + "\" is given twice");
        }
        Expect(':', "':' after the member name");
        value.members.emplace_back(std::move(key), CJsonValue());
        ParseInto(value.members.back().second, depth + 1);
        SkipSpace();
        if (Peek() == ',') {
            ++pos_;
            continue;
        }
        Expect('}', "',' or '}'");
        return;
    }
}

void CJsonStream::ArrayInto(CJsonValue& value, int depth) {
    value.type = CJsonValue::Type::Array;
    ++pos_;
    SkipSpace();
    if (Peek() == ']') {
        ++pos_;
        return;
    }
    for (;;) {
        ParseInto(value.items.emplace_back(), depth + 1);
        SkipSpace();
        if (Peek() == ',') {
            ++pos_;
            continue;
        }
        Expect(']', "',' or ']'");
        return;
    }
}

std::string CJsonStream::Number() {
    const std::size_t start = pos_;
    const auto digits = [this] {
        const std::size_t from = pos_;
        while (!AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            ++pos_;
        }
        return pos_ - from;
    };
    if (Peek() == '-') {
        ++pos_;
    }
    const char first = Peek();
    const auto malformed = [&] {
        pos_ = start;
        Fail("a number is malformed");
    };
    const std::size_t whole = digits();
    if (whole == 0 || (first == '0' && whole > 1)) {
        malformed();
    }
    if (Peek() == '.') {
        ++pos_;
        if (digits() == 0) {
            malformed();
        }
    }
    if (Peek() == 'e' || Peek() == 'E') {
        ++pos_;
        if (Peek() == '+' || Peek() == '-') {
            ++pos_;
        }
        if (digits() == 0) {
            malformed();
        }
    }
    return std::string(text_.substr(start, pos_ - start));
}

unsigned CJsonStream::HexQuad() {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = Peek();
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            Fail("\\u must be followed by four hex digits");
        }
        value = value * 16 + digit;
        ++pos_;
    }
    return value;
}

unsigned CJsonStream::EscapedCodePoint() {
    const unsigned first = HexQuad();
    if (first >= 0xDC00 && first <= 0xDFFF) {
        Fail("a \\u escape is a lone surrogate");
    }
    if (first < 0xD800 || first > 0xDBFF) {
        return first;
    }
    if (!Word("\\u")) {
        Fail("a \\u escape is a lone surrogate");
    }
    const unsigned second = HexQuad();
    if (second < 0xDC00 || second > 0xDFFF) {
        Fail("a \\u escape is a lone surrogate");
    }
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

std::string CJsonStream::String() {
    ++pos_;
    std::string out;
    for (;;) {
        if (AtEnd()) {
            Fail("a string is not closed");
        }
        const char c = text_[pos_];
        if (c == '"') {
            ++pos_;
            return out;
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            Fail("a control character stands unescaped in a string");
        }
        ++pos_;
        if (c != '\\') {
            out += c;
            continue;
        }
        const char escape = Peek();
        ++pos_;
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                out += escape;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                AppendUtf8(out, EscapedCodePoint());
                break;
            default:
                --pos_;
                Fail("an unknown escape in a string");
        }
    }
}

CJsonValue CJsonStream::Value() {
    CJsonValue value;
    ParseInto(value, static_cast<int>(started_.size()));
    return value;
}

void CJsonStream::EnterObject() {
    Expect('{', "'{'");
    started_.push_back(false);
}

void CJsonStream::EnterArray() {
    Expect('[', "'['");
    started_.push_back(false);
}

// After the first member or element a ',' must come before the next one,
// or the closing bracket.
bool CJsonStream::Continues(char close, const char* what) {
    SkipSpace();
    if (Peek() == close) {
        ++pos_;
        started_.pop_back();
        return false;
    }
    if (started_.back()) {
        Expect(',', what);
    }
    started_.back() = true;
    return true;
}

bool CJsonStream::NextMember(std::string& key) {
    if (!Continues('}', "',' or '}'")) {
        return false;
    }
    SkipSpace();
    if (Peek() != '"') {
        Fail("expected a member name in double quotes");
    }
    key = String();
    Expect(':', "':' after the member name");
    return true;
}

bool CJsonStream::NextElement() {
    return Continues(']', "',' or ']'");
}

void CJsonStream::End() {
    SkipSpace();
    if (pos_ != text_.size()) {
        Fail("unexpected text after the end of the JSON value");
    }
}

int CJsonStream::Line() {
    SkipSpace();
    return line_;
}

int CJsonStream::Column() {
    SkipSpace();
    return static_cast<int>(pos_ - lineStart_) + 1;
}

const CJsonValue* CJsonValue::Member(std::string_view key) const {
    const auto found = std::find_if(members.begin(), members.end(),
                                    [&](const auto& member) { return member.first == key; });
    return found == members.end() ? nullptr : &found->second;
}

CJsonValue ParseJson(std::string_view text) {
    CJsonStream stream(text);
    CJsonValue value = stream.Value();
    stream.End();
    return value;
}

}  // namespace plexion::tool
