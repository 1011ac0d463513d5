#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>

#include "hex_text.h"
#include "utf8.h"

namespace plexion::tool {

void CJsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back()) {
            out_ += ',';
        }
        empty_.back() = false;
    }
}

void CJsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    empty_.push_back(true);
}

void CJsonWriter::EndObject() {
    empty_.pop_back();
    out_ += '}';
}

void CJsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    empty_.push_back(true);
}

void CJsonWriter::EndArray() {
    empty_.pop_back();
    out_ += ']';
}

void CJsonWriter::Key(std::string_view key) {
    BeforeValue();
    Quoted(key);
    out_ += ':';
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
    BeginObject();
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
