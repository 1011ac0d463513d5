#include "mini_json.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace plexion::test {
namespace {

class CParser {
public:
    explicit CParser(const std::string& text) : text_(text) {}

    CJson Document() {
        CJson value = Value();
        SkipBlanks();
        if (pos_ != text_.size()) {
            Fail("trailing text");
        }
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw std::runtime_error("bad JSON at " + std::to_string(pos_) + ": " + why);
    }
    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
    }
    char Peek() {
        SkipBlanks();
        if (pos_ >= text_.size()) {
            Fail("unexpected end");
        }
        return text_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) {
            Fail(std::string("expected ") + c);
        }
        ++pos_;
    }

    CJson Value() {
        const char c = Peek();
        CJson value;
        if (c == '{') {
            value.type = CJson::Type::Object;
            ++pos_;
            while (Peek() != '}') {
                if (!value.members.empty()) {
                    Expect(',');
                }
                const std::string key = String();
                Expect(':');
                value.members[key] = Value();
            }
            ++pos_;
        } else if (c == '[') {
            value.type = CJson::Type::Array;
            ++pos_;
            while (Peek() != ']') {
                if (!value.items.empty()) {
                    Expect(',');
                }
                value.items.push_back(Value());
            }
            ++pos_;
        } else if (c == '"') {
            value.type = CJson::Type::String;
            value.text = String();
        } else {
            value.type = CJson::Type::Number;
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   std::string("+-.eE0123456789").find(text_[pos_]) != std::string::npos) {
                ++pos_;
            }
            if (start == pos_) {
                Fail("unexpected character");
            }
            value.text = text_.substr(start, pos_ - start);
        }
        return value;
    }

    std::string String() {
        Expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            const char c = text_[pos_++];
            if (static_cast<unsigned char>(c) < 0x20) {
                Fail("raw control character in a string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = text_.at(pos_++);
            switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'u': {
                    unsigned code = 0;
                    std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
                    pos_ += 4;
                    if (code >= 0x80) {
                        Fail("only ASCII \\u escapes are expected");
                    }
                    out += static_cast<char>(code);
                    break;
                }
                default:
                    out += e;
            }
        }
        Expect('"');
        return out;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

const CJson& CJson::operator[](const std::string& key) const {
    const auto found = members.find(key);
    if (type != Type::Object || found == members.end()) {
        throw std::out_of_range("no member " + key);
    }
    return found->second;
}

const CJson& CJson::operator[](std::size_t index) const {
    return items.at(index);
}

double CJson::Number() const {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

long long CJson::Integer() const {
    long long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

CJson ParseJson(const std::string& text) {
    return CParser(text).Document();
}

}  // namespace plexion::test
