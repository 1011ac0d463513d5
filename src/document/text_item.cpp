#include "text_item.h"

#include <string_view>
#include <utility>
#include <unordered_map>

#include "archive.h"
#include "resource_container.h"
#include "text_expansion.h"

namespace plexion {
namespace {

// A text's fields as they are: copying them costs far less than writing the
// stored form, which scrambles every string, and a replace over all texts of
// a large document keeps a state of each.
class CTextState final : public CResourceState {
public:
    explicit CTextState(CStateMemory& memory) : CResourceState(memory) {}
    std::size_t Bytes() const override { return CResourceState::Bytes() + text.Size(); }

    std::int32_t value = 0;
    CKeptBytes text;
};

}  // namespace

CItemStatePtr CVKT_Text::SaveState(CStateMemory& memory) const {
    auto state = MakeState<CTextState>(memory, memory);
    SaveResourceFields(*state);
    state->value = value_;
    state->text.Assign(memory, text_);
    return state;
}

bool CVKT_Text::Holds(const CItemState& saved) const {
    const auto& state = dynamic_cast<const CTextState&>(saved);
    return value_ == state.value && std::string_view(text_) == state.text.View() &&
           HoldsResourceFields(state);
}

void CVKT_Text::ExchangeState(CItemState& saved) {
    auto& state = dynamic_cast<CTextState&>(saved);
    ExchangeResourceFields(state);
    std::swap(value_, state.value);
    ExchangeKept(state.memory, text_, state.text);
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
