#include "text_escape.h"

namespace plexion::tool {

std::string EscapeField(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string FoldLines(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    bool inBreak = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            inBreak = true;
            continue;
        }
        if (inBreak && !folded.empty()) {
            folded += ' ';
        }
        inBreak = false;
        folded += c;
    }
    return folded;
}

}  // namespace plexion::tool
