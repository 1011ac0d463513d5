#include "text_expansion.h"

#include <algorithm>

namespace plexion {
namespace {

constexpr std::size_t kMinSizeLimit = std::size_t{1} << 20;
constexpr std::size_t kGrowthFactor = 64;
// Copying allowed over all passes, in units of the size limit.
constexpr std::size_t kWorkFactor = 16;

struct SReference {
    std::size_t open = 0;
    std::size_t length = 0;  // brackets included
};

bool FindFirstReference(const std::string& text, SReference& found) {
    const std::size_t open = text.find('[');
    if (open == std::string::npos) {
        return false;
    }
    const std::size_t close = text.find(']', open + 1);
    if (close == std::string::npos) {
        return false;
    }
    found = {open, close - open + 1};
    return true;
}

std::size_t CountOccurrences(const std::string& text, std::string_view part, std::size_t from) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part, from); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

std::string ReplaceAll(const std::string& text, std::string_view part, std::string_view by,
                       std::size_t resultSize) {
    std::string result;
    result.reserve(resultSize);
    std::size_t from = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, from)) {
        result.append(text, from, at - from).append(by);
        from = at + part.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

// Brent's cycle detection over the texts the passes produce: one text is
// kept and compared with each later one; the kept text moves on at powers
// of two, so a cycle of any length is found within a few of its turns.
class CCycleWatch {
public:
    explicit CCycleWatch(const std::string& first) : kept_(first) {}

    bool Repeats(const std::string& text) {
        if (text == kept_) {
            return true;
        }
        if (++steps_ == power_) {
            kept_ = text;
            power_ *= 2;
            steps_ = 0;
        }
        return false;
    }

private:
    std::string kept_;
    std::size_t power_ = 1;
    std::size_t steps_ = 0;
};

}  // namespace

std::size_t ExpansionSizeLimit(const std::string& source) {
    return std::max(kMinSizeLimit, source.size() * kGrowthFactor);
}

std::string ExpandTextReferences(std::string text, const TextLookup& lookup) {
    const std::size_t sizeLimit = ExpansionSizeLimit(text);
    const std::size_t workLimit = sizeLimit * kWorkFactor;
    std::size_t work = 0;
    CCycleWatch cycle(text);
    SReference reference;
    while (FindFirstReference(text, reference)) {
        const std::string_view name(text.data() + reference.open + 1, reference.length - 2);
        const std::string* named = lookup(name);
        const std::string_view replacement = named ? std::string_view(*named) : std::string_view();
        const std::string pattern = text.substr(reference.open, reference.length);
        const std::size_t count = CountOccurrences(text, pattern, reference.open);
        const std::size_t kept = text.size() - count * pattern.size();
        if (replacement.size() > 0 && count > (sizeLimit - kept) / replacement.size()) {
            break;
        }
        const std::size_t size = kept + count * replacement.size();
        work += size;
        if (work > workLimit) {
            break;
        }
        std::string next = ReplaceAll(text, pattern, replacement, size);
        if (cycle.Repeats(next)) {
            break;
        }
        text = std::move(next);
    }
    return text;
}

}  // namespace plexion
