#include "text_item.h"

#include "archive.h"
#include "resource_container.h"

namespace plexion {

std::unique_ptr<CVKT_Resource> CVKT_Text::NewOfSameKind() const {
    return std::make_unique<CVKT_Text>();
}

int CVKT_Text::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(value_);
        archive.WriteScrambledString(text_);
    } else {
        archive.Skip(8);
        value_ = archive.ReadInt32();
        text_ = archive.ReadScrambledString();
    }
    return 1;
}

std::string CVKT_Text::ExpandedText(const CVKT_ResourceContainer& container) const {
    std::string text = text_;
    for (int pass = 0; pass < kMaxExpansionPasses; ++pass) {
        const std::size_t open = text.find('[');
        if (open == std::string::npos) {
            break;
        }
        const std::size_t close = text.find(']', open + 1);
        if (close == std::string::npos) {
            break;
        }
        const std::string reference = text.substr(open, close - open + 1);
        const auto* named = container.GetAt<CVKT_Text>(
            container.Find<CVKT_Text>(std::string_view(reference).substr(1, reference.size() - 2)));
        const std::string replacement = named ? named->Text() : std::string();
        std::string expanded;
        std::size_t from = 0;
        for (std::size_t at = text.find(reference); at != std::string::npos;
             at = text.find(reference, from)) {
            expanded.append(text, from, at - from).append(replacement);
            from = at + reference.size();
        }
        expanded.append(text, from, std::string::npos);
        text = std::move(expanded);
    }
    return text;
}

}  // namespace plexion
