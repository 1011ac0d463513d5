#include "recovery_info.h"

#include <charconv>
#include <map>
#include <sstream>

namespace plexion {
namespace {

constexpr const char* kFirstLine = "Plexion recovery copy 1";

// Paths may hold any byte but a line break may not end a value early.
std::string Escaped(const std::string& value) {
    std::string escaped;
    for (const char c : value) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> Unescaped(const std::string& value) {
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            plain += value[i];
            continue;
        }
        if (++i == value.size()) {
            return std::nullopt;
        }
        switch (value[i]) {
        case '\\': plain += '\\'; break;
        case 'n': plain += '\n'; break;
        case 'r': plain += '\r'; break;
        default: return std::nullopt;
        }
    }
    return plain;
}

template <typename Number>
bool ReadNumber(std::istringstream& in, Number& number) {
    std::string word;
    if (!(in >> word)) {
        return false;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::string EncodeRecoveryInfo(const SRecoveryInfo& info) {
    std::ostringstream out;
    out << kFirstLine << '\n';
    out << "path=" << Escaped(info.originalPath) << '\n';
    out << "title=" << Escaped(info.title) << '\n';
    out << "written=" << info.writtenAt << '\n';
    if (const auto& stamp = info.originalStamp) {
        out << "stamp=" << stamp->device << ' ' << stamp->inode << ' ' << stamp->size << ' '
            << stamp->modifiedNs << ' ' << stamp->hash << '\n';
    }
    return out.str();
}

std::optional<SRecoveryInfo> DecodeRecoveryInfo(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kFirstLine) {
        return std::nullopt;
    }
    std::map<std::string, std::string> values;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            return std::nullopt;
        }
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    if (!values.contains("path") || !values.contains("title") || !values.contains("written")) {
        return std::nullopt;
    }
    SRecoveryInfo info;
    const auto path = Unescaped(values["path"]);
    const auto title = Unescaped(values["title"]);
    std::istringstream written(values["written"]);
    if (!path || !title || !ReadNumber(written, info.writtenAt)) {
        return std::nullopt;
    }
    info.originalPath = *path;
    info.title = *title;
    if (values.contains("stamp")) {
        std::istringstream in(values["stamp"]);
        SFileStamp stamp;
        if (!ReadNumber(in, stamp.device) || !ReadNumber(in, stamp.inode) ||
            !ReadNumber(in, stamp.size) || !ReadNumber(in, stamp.modifiedNs) ||
            !ReadNumber(in, stamp.hash)) {
            return std::nullopt;
        }
        info.originalStamp = stamp;
    }
    return info;
}

}  // namespace plexion
