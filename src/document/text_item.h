#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "resource.h"

namespace plexion {

class CVKT_ResourceContainer;

// A named piece of 8-bit text: a game text or a parameter.
class CVKT_Text : public CVKT_Resource {
public:
    static constexpr int kKind = 0;

    int Serialize(CArchive& archive) override;
    std::string Specifications() const override { return text_; }
    CItemStatePtr SaveState(CStateMemory& memory) const override;
    bool Holds(const CItemState& state) const override;
    void ExchangeState(CItemState& state) override;

    // The text with every "[ID]" replaced by the text of the first text item
    // with that ID (nothing when there is none), repeated until no reference
    // is left; bounded as ExpandTextReferences says.
    std::string ExpandedText(const CVKT_ResourceContainer& container) const;

    const std::string& Text() const { return text_; }
    // Copied into the room the text has: a text replaced by one of its
    // length needs no new memory.
    void SetText(std::string_view text) { text_.assign(text); }
    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::int32_t value_ = 0;
    std::string text_;
};

}  // namespace plexion
