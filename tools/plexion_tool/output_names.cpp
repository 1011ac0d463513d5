#include "output_names.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace plexion::tool {
namespace {

constexpr std::size_t kMaxStemBytes = 120;
constexpr std::size_t kMaxExtensionBytes = 10;

bool IsUnsafe(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
}

// Cuts at most `limit` bytes without splitting a UTF-8 sequence.
std::string Capped(std::string text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    text.resize(cut);
    return text;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string CleanExtension(const std::string& extension) {
    const bool plain = std::all_of(extension.begin(), extension.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
    return plain && !extension.empty() && extension.size() <= kMaxExtensionBytes ? "." + extension
                                                                                 : std::string();
}

}  // namespace

CSafeName SafeNameFor(const std::string& id, const std::string& extension) {
    std::string stem = id;
    std::replace_if(stem.begin(), stem.end(), IsUnsafe, '_');
    stem = Capped(std::move(stem), kMaxStemBytes);
    if (stem.empty() || stem == "." || stem == "..") {
        stem = "_";
    }
    std::string dotted = CleanExtension(extension);
    if (!dotted.empty() && EndsWithIgnoringCase(stem, dotted) && stem.size() > dotted.size()) {
        // Keep the ID's own spelling, and put " (2)" before it on a clash.
        dotted = stem.substr(stem.size() - dotted.size());
        stem.resize(stem.size() - dotted.size());
    }
    return {stem, dotted};
}

std::filesystem::path CUniqueNames::Next(const CSafeName& name) {
    for (int attempt = 1;; ++attempt) {
        const std::string candidate =
            attempt == 1 ? name.stem + name.extension
                         : name.stem + " (" + std::to_string(attempt) + ")" + name.extension;
        std::error_code error;
        const std::filesystem::path path = folder_ / candidate;
        if (used_.count(candidate) == 0 &&
            !std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
            used_.insert(candidate);
            return path;
        }
    }
}

}  // namespace plexion::tool
