#include "text_item.h"

#include <string_view>
#include <unordered_map>

#include "archive.h"
#include "resource_container.h"
#include "text_expansion.h"

namespace plexion {
namespace {

// A text's fields as they are: copying them costs far less than writing the
// stored form, which scrambles every string, and a replace over all texts of
// a large document keeps two states of each.
class CTextState final : public CItemState {
public:
    std::size_t Bytes() const override {
        return sizeof(*this) + id.size() + comments.size() + text.size();
    }
    bool SameAs(const CItemState& other) const override {
        const auto* state = dynamic_cast<const CTextState*>(&other);
        return state != nullptr && value == state->value && text == state->text &&
               id == state->id && comments == state->comments;
    }

    std::string id;
    std::string comments;
    std::int32_t value = 0;
    std::string text;
};

}  // namespace

std::unique_ptr<CItemState> CVKT_Text::SaveState() const {
    auto state = std::make_unique<CTextState>();
    state->id = ID();
    state->comments = Comments();
    state->value = value_;
    state->text = text_;
    return state;
}

void CVKT_Text::RestoreState(const CItemState& saved) {
    const auto& state = dynamic_cast<const CTextState&>(saved);
    SetID(state.id);
    SetComments(state.comments);
    value_ = state.value;
    text_ = state.text;
}

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
    // Looked up by a table made at the first reference: an expansion may make
    // many passes, and a search of the group in each would multiply them.
    std::unordered_map<std::string_view, const std::string*> texts;
    bool tabled = false;
    const auto lookup = [&](std::string_view id) -> const std::string* {
        if (!tabled) {
            tabled = true;
            for (int i = 0; i < container.Count<CVKT_Text>(); ++i) {
                const CVKT_Text* item = container.GetAt<CVKT_Text>(i);
                texts.emplace(item->ID(), &item->Text());
            }
        }
        const auto found = texts.find(id);
        return found == texts.end() ? nullptr : found->second;
    };
    return ExpandTextReferences(text_, lookup);
}

}  // namespace plexion
