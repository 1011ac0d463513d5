#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>

#include "hex_text.h"
#include "utf8.h"

namespace plexion::tool {

void CJsonWriter::NewLine(std::size_t depth) {
    out_ += '\n';
    out_.append(2 * depth, ' ');
}

void CJsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) {
        return;
    }
    CLevel& level = levels_.back();
    const bool first = level.empty;
    level.empty = false;
    if (!first) {
        out_ += ',';
    }
    if (layout_ == Layout::Compact) {
        return;
    }
    if (!level.oneLine) {
        NewLine(levels_.size());
    } else if (!first) {
        out_ += ' ';
    }
}

void CJsonWriter::Open(char bracket, bool oneLine) {
    BeforeValue();
    out_ += bracket;
    const bool inOneLine = !levels_.empty() && levels_.back().oneLine;
    levels_.push_back({true, oneLine || inOneLine});
}

void CJsonWriter::Close(char bracket) {
    const CLevel level = levels_.back();
    levels_.pop_back();
    if (layout_ == Layout::Pretty && !level.oneLine && !level.empty) {
        NewLine(levels_.size());
    }
    out_ += bracket;
}

void CJsonWriter::BeginObject(bool oneLine) {
    Open('{', oneLine);
}

void CJsonWriter::EndObject() {
    Close('}');
}

void CJsonWriter::BeginArray(bool oneLine) {
    Open('[', oneLine);
}

void CJsonWriter::EndArray() {
    Close(']');
}

void CJsonWriter::Key(std::string_view key) {
    BeforeValue();
    Quoted(key);
    out_ += layout_ == Layout::Pretty ? ": " : ":";
    afterKey_ = true;
}

void CJsonWriter::Quoted(std::string_view utf8) {
    out_ += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                    out_ += escape;
                } else {
                    out_ += c;
                }
        }
    }
    out_ += '"';
}

void CJsonWriter::Text(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        BeforeValue();
        Quoted(bytes);
        return;
    }
    BeginObject(true);
    Key("hex");
    BeforeValue();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    Quoted(LowerHex(std::span(data, bytes.size())));
    EndObject();
}

void CJsonWriter::Int(std::int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void CJsonWriter::Real(double value) {
    BeforeValue();
    const std::string text = JsonReal(value);
    if (std::isfinite(value)) {
        out_ += text;
    } else {
        Quoted(text);
    }
}

void CJsonWriter::Number(std::string_view spelling) {
    BeforeValue();
    out_ += spelling;
}

void IntMember(CJsonWriter& json, const char* key, std::int64_t value) {
    json.Key(key);
    json.Int(value);
}

void RealMember(CJsonWriter& json, const char* key, double value) {
    json.Key(key);
    json.Real(value);
}

void TextMember(CJsonWriter& json, const char* key, std::string_view value) {
    json.Key(key);
    json.Text(value);
}

void IntArray(CJsonWriter& json, std::initializer_list<std::int64_t> values) {
    json.BeginArray(true);
    for (const std::int64_t v : values) {
        json.Int(v);
    }
    json.EndArray();
}

void RealPair(CJsonWriter& json, double x, double y) {
    json.BeginArray(true);
    json.Real(x);
    json.Real(y);
    json.EndArray();
}

std::string JsonReal(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace plexion::tool
